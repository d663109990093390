#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

// Fills the printf-style formats of the calculator texts, fixed ones
// ("MOD : %.1f m") and those of the text tables, as C's printf does: "%f"
// and "%.Nf" round the exact binary value to N decimals (halves to even),
// "%d" and "%i" print a whole number, "%@" the shortest text of a number,
// "%%" a percent sign. A missing argument prints nothing; an unknown
// directive is copied as it stands. Numbers always use "."; an infinite
// value prints "inf" or "-inf", an undefined one "nan", and an exact zero
// prints without a sign.
class CalculatorFormat {
public:
    static QString fill(QStringView format, std::initializer_list<double> args);
    // One number with a fixed number of decimals, as "%.Nf" prints it.
    static QString fixed(double value, int decimals);
    static void appendFixed(QString& out, double value, int decimals);
};
