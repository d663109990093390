#pragma once

#include "exchange/ImportProgress.h"
#include "exchange/ImportedDive.h"

#include <QList>
#include <QString>

class Carnet;

// Appends imported dives to a logbook the way the diver would type them:
// each dive is typed into a blank dive form (numbered after the logbook's
// last dive) and built by the form's rules, defaults and alerts. All the
// dives are appended at once, the logbook is marked changed and its form
// shows the last of them; when the progress cancels, nothing is appended.
namespace diveimport {

// Depth, altitude and temperature texts in metres and degrees Celsius
// become the form's units ("us units": feet and Fahrenheit); temperatures
// and the altitude are rounded to whole numbers.
QString formText(int field, const QString& metricText, bool usUnits);

bool importDives(Carnet& carnet, const QList<ImportedDive>& dives, const ImportProgress& progress = {},
                 QString* error = nullptr);

} // namespace diveimport
