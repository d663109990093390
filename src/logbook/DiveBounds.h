#pragma once

#include "logbook/Plongee.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What a stored dive can hold, whoever builds it (the form, an import, the
// command line's JSON reader): each number is finite and within the range
// a real dive can have, dates fall between 1900 and 2200, every gas mix has
// at most 100 % of oxygen and helium together, and the profile samples are
// depths, flags and pressures a dive computer can record. The form's store
// rules correct some values first; whatever is still outside is refused.
namespace divebounds {

struct Range {
    double lowest;
    double highest;
    bool holds(double v) const { return v >= lowest && v <= highest; } // false for NaN
};

// The range of a numeric field (integer or floating point); nothing for
// texts, dates, profile lists and the choice fields, which hold tags.
std::optional<Range> of(int field);

inline constexpr Range kSampleDepth{0, 2000};      // metres
inline constexpr Range kSamplePressure{0, 5000};   // bar or psi
inline constexpr Range kEventFlag{0, 1};
inline constexpr Range kGasCode{0, 6};
inline constexpr qsizetype kMaxSamples = 1'000'000; // more than a day at one sample a second
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2200;

// True for an absent (invalid) date and for one in the years above.
bool holdsDate(const QDateTime& date);

// The first thing of the dive it cannot hold, in plain words naming the
// field ("profondeur: 1e+40 is outside 0 to 2000"), or nothing.
struct Problem {
    int field;
    QString text;
};
std::optional<Problem> check(const Plongee& dive);
// The same for one field only (with the mix it belongs to, if any), for an
// edit that changes that field alone.
std::optional<Problem> checkField(const Plongee& dive, int field);

// The oxygen and helium per-cent fields of each mix of a dive (tanks 1 and
// 2, the bail-out cylinders, the five stop gases): their sum is at most 100.
struct MixFields {
    int oxygen;
    int helium;
};
const QList<MixFields>& mixes();

} // namespace divebounds
