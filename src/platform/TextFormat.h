#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <initializer_list>

// Fills a printf-style format taken from the text tables: "%@" (any value,
// numbers in their shortest form), "%d"/"%i" (whole number), "%f" and
// "%.Nf" (fixed decimals), "%s" (text) and "%%". Numbers always use "." as
// the decimal separator. A missing argument leaves nothing; extra arguments
// are ignored; an unknown directive is copied as it stands. "%f" or "%d" given a
// text prints the text ("-" for a missing figure), and given an infinite or
// undefined number prints "-".
QString formatText(const QString& format, std::initializer_list<QVariant> args);

// The printf-style directive that starts at format[at] (a '%' with at least
// one character after it): its letter ('%', 'd', 'f', '@' ... or whatever
// character stands there), the N of "%.Nf" (-1 when not given) and the
// index of its last character. A precision of 1000 or more is no
// directive: the '.' is taken as its letter.
struct FormatDirective {
    char16_t letter = 0;
    int precision = -1;
    qsizetype last = 0;
};
FormatDirective directiveAt(QStringView format, qsizetype at);
