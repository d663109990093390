#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace rebreather {

// The values of generated interventions: times, pressures, cell dates and
// remarks a diver's service log plausibly holds.
QList<registers::SampleValues> samples();

} // namespace rebreather
