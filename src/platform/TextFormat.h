#pragma once

#include <QString>
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
