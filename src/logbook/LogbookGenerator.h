#pragma once

#include "logbook/Plongee.h"

#include <QList>

// Synthetic logbooks for trials and benchmarks: varied, plausible dives
// (places, gases, tanks, stops, conditions, notes) with sampled profiles.
// The same seed always gives the same logbook.
namespace logbookgenerator {

QList<Plongee> generate(int dives, int samples, quint64 seed);

} // namespace logbookgenerator
