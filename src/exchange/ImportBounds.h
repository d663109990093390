#pragma once

#include "exchange/ImportedDive.h"
#include "logbook/DiveBounds.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

// What an exchange file may give a dive, checked before the form sees it:
// the same bounds as a stored dive's, on the values as the file gives them
// (metres, bar, minutes, whole per cents). A file that gives more is
// refused, naming the value, rather than clipped or left to the form.
namespace importbounds {

// Temperatures: the form marks one it does not believe as "not given", but
// none may be colder than absolute zero nor hotter than any dive.
inline constexpr divebounds::Range kCelsius{-273.15, 300};

// Why a number read from an element is refused ("1e+40 is outside 0 to
// 2000"); empty when it lies in the range.
QString outside(double value, const divebounds::Range& range);

// A number that the record keeps within a range, as an element's text gives
// it in the file's unit; `scale` turns it into the range's unit.
struct Number {
    std::optional<double> value; // in the file's unit; nothing for an empty element
    QString problem;             // why the text is refused, or empty
};
Number read(QByteArrayView text, const divebounds::Range& range, double scale = 1);

// The first thing of the dive that no stored dive can hold (a year outside
// 1900 to 2200, a number outside its field's range or not finite, oxygen
// and helium above 100 %, a sample outside its list's range, too many
// samples), in plain words, or nothing.
std::optional<QString> problem(const ImportedDive& dive);

} // namespace importbounds
