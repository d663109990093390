#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace diversdocs {

// The values of generated papers: titles, issuers and notes of a diver's
// certifications, certificates, invoices and licences.
QList<registers::SampleValues> samples();

} // namespace diversdocs
