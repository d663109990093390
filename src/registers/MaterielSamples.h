#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace materiel {

// The values of generated equipment cards.
QList<registers::SampleValues> samples();

} // namespace materiel
