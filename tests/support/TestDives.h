#pragma once

#include "logbook/Plongee.h"

#include <QList>

// Dives for tests: every field set to a value that differs from its fresh
// value and from the other dives, so that a field read into the wrong slot
// shows up.
Plongee fullyPopulatedDive(int seed);
QList<Plongee> someDives(int count);
// The same, but with every number, mix and sample inside what a dive can
// hold, so that the form accepts it.
Plongee plausibleDive(int seed);
