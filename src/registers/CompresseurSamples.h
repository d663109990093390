#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace compresseur {

// The values of generated services: compressors, running times, analyses
// and remarks a club's log plausibly holds.
QList<registers::SampleValues> samples();

} // namespace compresseur
