#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

// Fills the printf-style formats of the calculator texts, fixed ones
// ("MOD : %.1f m") and those of the text tables, as C's printf does: "%f"
// and "%.Nf" round the exact binary value to N decimals (halves to even),
// "%d" and "%i" print a whole number, "%@" the shortest text of a number,
// "%%" a percent sign. A missing argument prints nothing; an unknown
// directive is copied as it stands. Numbers always use "."; an exact zero
// prints without a sign. An infinite or undefined value is no figure: it
// prints "-" (the actions refuse such results before they get here).
class CalculatorFormat {
public:
    static QString fill(QStringView format, std::initializer_list<double> args);
    // One number with a fixed number of decimals, as "%.Nf" prints it.
    static QString fixed(double value, int decimals);
    static void appendFixed(QString& out, double value, int decimals);

    // The decimals the format prints its argument `index` (from 0) with: N
    // for "%.Nf", 6 for "%f", 0 for "%d" and "%i"; -1 for "%@", a missing
    // directive or a value printed as it stands.
    static int decimalsOf(QStringView format, int index);
    // The value as the format's argument `index` shows it, read back: what
    // a colour rule must compare, so that "20.90 %" is coloured as 20.9.
    static double shown(QStringView format, int index, double value);
};
