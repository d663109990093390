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

// The current for the record's `courant` tag (0, none, to 5, violent):
// UDDF's six words in the same order; nothing for "N/A" and other tags.
std::optional<QString> currentName(int tag);
std::optional<int> currentTag(QByteArrayView name);

// The suit piece a `combinaison` tag is written as: its name (the suit
// list's English text) and UDDF's suit type. Nothing for "no suit" (3),
// which UDDF says with an element of its own, and for other tags. Back: a
// suit of one of these names gives its tag; other suits are equipment
// items like any other piece.
struct Suit {
    QString name, type;
};
std::optional<Suit> suitFor(int tag);
std::optional<int> suitTag(const QString& name);
constexpr int kNoSuit = 3;

// UDDF's purpose of a dive for the kinds of dive (`typePlongee`) it has a
// word for, and the kind for a purpose; nothing for the others.
std::optional<QString> purposeName(int kind);
std::optional<int> purposeKind(QByteArrayView name);

// The breathing apparatus (`rebreather`: 0 open circuit, 1 SCR, 2 to 4
// closed circuits): UDDF's dive mode, and the name of the rebreather piece
// that tells the closed circuits apart; back, the apparatus for a piece's
// name. Only the piece is read back: a closed circuit's dive mode alone
// would not say which one, and the form then takes tank 1 for oxygen.
QString diveModeName(int rebreather);
std::optional<QString> rebreatherName(int rebreather);
std::optional<int> apparatusForName(const QString& name);

// The material of a tank (`alliageBloc`: 0 steel, 1 aluminium, 2 carbon):
// the name of the tank piece (the material list's English text) and UDDF's
// material, and back the tag for UDDF's material.
std::optional<std::pair<QString, QString>> tankMaterial(int tag);
std::optional<int> tankMaterialTag(QByteArrayView material);

// The cylinders besides tank 1 and the stop levels' that a dive carries
// (tank 2, or the diluent, and the two bail-out cylinders): the name of the
// tank piece that marks a tank as that cylinder, and the cylinder's name in
// messages.
inline constexpr const char* kMarkedTanks[] = {"Tank 2", "Bail-out 1", "Bail-out 2"};
inline constexpr const char* kMarkedTankNames[] = {"tank 2", "bail-out cylinder 1", "bail-out cylinder 2"};

// The oxygen set-point (`ppO2` tag) in pascals, and the tag of the nearest
// set-point within 0.05 bar; nothing for no set-point.
std::optional<double> setPointPascals(int tag);
std::optional<int> setPointTag(double pascals);

// A position typed as "43°12.345' N 005°21.000' E" (the form's notation:
// degrees and decimal minutes), "43.2 N 5.35 E" (decimal degrees with
// hemisphere letters) or "43.2, -5.35" (signed decimal degrees), as
// latitude and longitude; nothing for any other text or a position off the
// globe. Back, the text in the form's notation, to a thousandth of a minute.
struct Position {
    double latitude, longitude;
};
std::optional<Position> position(const QString& text);
QString positionText(const Position& p);

// Degrees Celsius from kelvin (bounded, so that absurd values stay numbers).
double celsiusFromKelvin(double kelvin);
// A surface interval in seconds as the form's "H:MM" text.
QString intervalText(qint64 seconds);
// The seconds of a form's "H:MM" interval text; nothing for another text.
std::optional<qint64> intervalSeconds(const QString& text);

} // namespace uddfmapping
