#pragma once

#include "registers/RegisterDescription.h"

#include <QDateTime>

namespace materiel {

// The equipment inventory: equipment cards, their three-pane form, the
// list's columns and the texts of table "Materiel".
const registers::RegisterDescription& description();

// The elapsed share of an inspection period at a moment, in percent: 0
// when the dates are equal or one is missing, 100 when the next inspection
// lies before the last (such a card is out of date). The list and the form
// both show this figure.
double inspectionShare(const QDateTime& last, const QDateTime& next, const QDateTime& now);
// A card is out of date once its share reaches 100.
inline bool outOfDate(double share) { return share >= 100.0; }

// The day that stands for "no inspection" in the inspection dates.
QDateTime noInspectionDay();

} // namespace materiel
