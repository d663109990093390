#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// Values as UDDF files write them: numbers in the C locale ("1.376194E+07"),
// date-times in the ISO pattern, texts in UTF-8.
namespace uddfvalues {

// The whole text as a finite number (white space around allowed), or nothing.
std::optional<double> number(QByteArrayView text);
// The same read straight into single precision, so that a float written in
// its shortest form reads back to the very same float.
std::optional<float> singleNumber(QByteArrayView text);

struct WallClock {
    QDate day;
    QTime time; // whole minutes and seconds as written
};
// "2026-03-26T11:04:03Z", "2011-05-17T11:01", "2011-05-17 11:01:00+02:00",
// "2011-05-17": the wall-clock day and time written; a zone or offset does
// not move them. Nothing for any other text.
std::optional<WallClock> wallClock(QByteArrayView text);

// The text with white space around removed.
QString trimmedText(QByteArrayView utf8);

} // namespace uddfvalues
