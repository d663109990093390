#pragma once

#include <QList>
#include <QString>

// The profile lists as text, one value per line, as the profile data window
// shows and takes them.
namespace profiletext {

// Depths and pressures print with one decimal ("12.5"), flags and gas codes
// as whole numbers; lines are joined by "\n" with none after the last.
QString render(const QList<float>& values);
QString render(const QList<qint16>& values);

// One element per line. Depths and pressures take the decimal number at the
// start of the line ("." as separator; a line without one gives NaN);
// flags take the line's leading integer (0 without one). Empty lines at the
// end (a trailing line break) are not samples.
QList<float> parseDecimals(const QString& text);
QList<qint16> parseIntegers(const QString& text);

} // namespace profiletext
