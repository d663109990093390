#pragma once

#include "logbook/DiveBounds.h"

#include <QList>
#include <QString>
#include <QStringView>

// The profile lists as text, one value per line, as the profile data window
// shows and takes them.
namespace profiletext {

// Depths and pressures print with one decimal ("12.5"), flags and gas codes
// as whole numbers; lines are joined by "\n" with none after the last.
QString render(const QList<float>& values);
QString render(const QList<qint16>& values);

// The values of a text, one per line, or the first line that holds none.
template <typename T> struct Lines {
    QList<T> values;
    qsizetype badLine = 0; // from 1; 0 when every line holds a value
    QString badText;       // that line as typed
    bool ok() const { return badLine == 0; }
};

// One value per line: a number as typed ("12.5", "12,5", white space
// around, then optionally "m" or "bar"), within the list's range; for flags
// and gas codes a whole number. A line without one, a number out of the
// range and any other text make the whole text refused, with the first such
// line. Empty lines at the end (a trailing line break) are not samples.
Lines<float> readDecimals(const QString& text, const divebounds::Range& range);
Lines<qint16> readIntegers(const QString& text, const divebounds::Range& range);

// The seven lists of a profile in the order the data window shows them:
// depths, the ascent, slow, surface and ceiling flags, gas codes, pressures.
inline constexpr int kListCount = 7;
const divebounds::Range& listRange(int list);

// The first line of list's text that the list cannot hold (badLine 0 when
// it holds them all), read as that list's kind of value.
Lines<double> checkList(int list, const QString& text);

// The same reading for a text already accepted by readDecimals or
// readIntegers, which gives the same values; a line that would be refused
// gives NaN (decimals) or 0 (integers) here.
QList<float> parseDecimals(const QString& text);
QList<qint16> parseIntegers(const QString& text);

} // namespace profiletext
