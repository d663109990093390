#pragma once

#include "registers/SampleValues.h"

#include <QList>

namespace epaves {

// The values of generated wreck cards: names, places, histories and
// figures a repertory plausibly holds.
QList<registers::SampleValues> samples();

} // namespace epaves
