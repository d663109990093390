#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace budget {

// The values of generated offers: services, supplements, card formulas
// and firms a diver plausibly compares.
QList<registers::SampleValues> samples();

} // namespace budget
