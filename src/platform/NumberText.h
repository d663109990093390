#pragma once

#include <QString>
#include <QStringView>
#include <QStringList>

#include <optional>

// Number <-> text conversions that ignore the user's locale: "." is the
// decimal separator everywhere in files, the command line and by-name access.
namespace numbertext {

// The leading integer of a text, as a C-style number scanner reads it: leading
// white space, an optional sign, then digits; anything else stops the scan.
// No digits gives 0; values beyond 32 bits saturate.
qint32 leadingInt(QStringView text);

// The leading decimal number (sign, digits, ".", digits, exponent). Without one,
// 0 when the text has no number, or nothing when ok is given and set false.
double leadingDouble(QStringView text, bool* ok = nullptr);

// A number as a person types it into a form: optional white space and sign,
// digits with "." or "," as the decimal separator, an optional exponent,
// then optionally one of `units` (compared without case, white space
// allowed before it). Empty or blank text is Blank; any other text, or a
// number that is not finite, is Invalid.
struct Typed {
    enum class Kind { Number, Blank, Invalid };
    Kind kind = Kind::Blank;
    double value = 0;
    bool isNumber() const { return kind == Kind::Number; }
};
Typed typed(QStringView text, const QStringList& units = {});

// The whole text as a C-locale decimal number (as std::from_chars reads it,
// "inf" and "nan" included), or nothing when the text is empty or anything
// follows the number.
std::optional<double> exactDecimal(QStringView text);

// Shortest text that reads back to the same value: 12.4f -> "12.4", 25.0f -> "25".
QString shortest(float value);
QString shortest(double value);
QByteArray shortestUtf8(float value);
QByteArray shortestUtf8(double value);

} // namespace numbertext
