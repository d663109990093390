#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// How the dive record's values and UDDF's meet, both ways, where they are
// not the same quantity: the visibility rating against metres, the memory
// mark against a rating from 1 to 10, alarms against the profile's flags,
// temperatures in kelvin, pressures in pascals, volumes in cubic metres.
namespace uddfmapping {

// The visibility rating (the record's `visibilite` tag) for a visibility in
// metres, and a visibility in metres that gives the rating back; nothing
// for "not rated" (7) and tags outside the table.
int visibilityTag(double metres);
std::optional<double> visibilityMetres(int tag);

// The memory mark for a rating from 1 to 10: a heart (1) for 9 and 10,
// none (0) below; and the rating a mark gives (10 for a heart), nothing for
// the other marks.
int markForRating(int rating);
std::optional<int> ratingForMark(int mark);

// Alarm names of UDDF waypoints for the four flags of a sample, in the
// order the flags are written: deco (ASC), ascent (SLOW), surface (SURF),
// error (CEIL). The alarm bit of ProfileGrid for a name, 0 for an alarm
// the record has no flag for.
unsigned char alarmBit(QByteArrayView name);

constexpr double kZeroCelsius = 273.15;
constexpr double kPascalsPerBar = 1e5;
constexpr double kMetresPerFoot = 0.3048;

// Degrees Celsius from kelvin (bounded, so that absurd values stay numbers).
double celsiusFromKelvin(double kelvin);
// A surface interval in seconds as the form's "H:MM" text.
QString intervalText(qint64 seconds);
// The seconds of a form's "H:MM" interval text; nothing for another text.
std::optional<qint64> intervalSeconds(const QString& text);

} // namespace uddfmapping
