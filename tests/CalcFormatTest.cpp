#include "calculators/CalculatorFormat.h"
#include "platform/TextFormat.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>
#include <limits>
#include <random>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

TEST(CalcFormat, FixedDecimalsAsPrintfRoundsThem)
{
    // Checked against the C library's printf (the program never calls
    // setlocale, so "." is its decimal point).
    // Exact halves go to the even digit: 33.8, 33.2, 0.12, 0.38, 2, 4.
    const double values[] = {33.75, 33.25, 0.125, 0.375, 2.5, 3.5, -2.405063291139241, 27.848101265822777, 34.857142857142854,
                             1e-11, -1e-11, 6.000000000000001, 1e21, -123456.789, 0.05, 0.15, 66.93977047130466};
    for (const double v : values) {
        for (const int decimals : {0, 1, 2, 3, 6, 10}) {
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            EXPECT_EQ(CalculatorFormat::fixed(v, decimals), QString::fromLatin1(expected)) << v << " " << decimals;
        }
    }
}

TEST(CalcFormat, ManyNumbersAsPrintfWritesThem)
{
    // Numbers of every size, and halves of every kind (k / 2^m lands on or
    // near a tie at some number of decimals), against the C library.
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 18);
    std::uniform_int_distribution<int> decimalsOf(0, 12);
    std::uniform_int_distribution<long long> whole(-2000000, 2000000);
    std::uniform_int_distribution<int> shift(1, 12);
    int checked = 0;
    for (int i = 0; i < 60000; ++i) {
        double v = 0.0;
        switch (i % 3) {
        case 0: v = unit(random) * std::pow(10.0, exponent(random)); break;
        case 1: v = std::ldexp(double(whole(random)), -shift(random)); break;
        case 2: v = double(whole(random)) / 1000.0 + 0.0005; break;
        }
        if (i % 2)
            v = -v;
        if (v == 0.0)
            continue;
        const int decimals = decimalsOf(random);
        char expected[512];
        std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
        ASSERT_EQ(CalculatorFormat::fixed(v, decimals), QString::fromLatin1(expected))
            << std::hexfloat << v << " with " << decimals << " decimals";
        ++checked;
    }
    EXPECT_GT(checked, 59000);
}

TEST(CalcFormat, InfinitiesUndefinedAndZeros)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct { double value; const char* text; } cases[] = {
        {inf, "-"}, {-inf, "-"}, {nan, "-"}, {-nan, "-"}, {-0.0, "0.00"}, {-0.001, "-0.00"},
        {std::numeric_limits<double>::max(), nullptr},
    };
    for (const auto& c : cases) {
        const QString text = CalculatorFormat::fixed(c.value, 2);
        if (c.text)
            EXPECT_EQ(text, QLatin1String(c.text)) << c.value;
        else
            EXPECT_EQ(text.size(), 309 + 3) << c.value; // every digit of the largest double
    }
}

TEST(CalcFormat, Directives)
{
    const struct { const char* format; std::initializer_list<double> args; const char* text; } cases[] = {
        {"MOD : %.1f m", {33.75}, "MOD : 33.8 m"},
        {"%.2f %%", {35}, "35.00 %"},
        {"%f", {1.5}, "1.500000"},
        {"%d h %i min", {4, 10}, "4 h 10 min"},
        {"%d", {-1}, "-1"},
        {"%@ and %@", {12.4, 0.1}, "12.4 and 0.1"},
        {"%.1f then %.2f", {0.8}, "0.8 then "},  // a missing argument prints nothing
        {"%.1f", {1, 2}, "1.0"},                 // extra arguments are ignored
        {"%s %x %", {1}, "%s %x %"},             // unknown directives stay
        {"Oxygen : %.2f %%\nHelium : %.2f %%", {20, 34.857142857142854}, "Oxygen : 20.00 %\nHelium : 34.86 %"},
        {"\u00e9t\u00e9 %.0f \u00b0", {45}, "\u00e9t\u00e9 45 \u00b0"},
        {"", {1}, ""},
        {"%.1", {1}, "%.1"},
        {"%.99999999999f", {1}, "%.99999999999f"}, // no precision read past its bound
        {"MOD : %.1f m", {INFINITY}, "MOD : - m"}, // never "inf" nor "nan"
        {"%d h %@", {NAN, -INFINITY}, "- h -"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalculatorFormat::fill(QString::fromUtf8(c.format), c.args), QString::fromUtf8(c.text)) << c.format;
}

TEST(CalcFormat, ShownFigure)
{
    const struct { const char* format; int index; double value; double shown; } cases[] = {
        {"%.1f l/min : %.2f %%", 1, 20.8999, 20.9}, {"%.1f l/min : %.2f %%", 0, 20.8999, 20.9},
        {"%.2f %%", 0, 20.894, 20.89},              {"%.2f", 0, 2.996, 3.0},
        {"%f", 0, 1.23456789, 1.234568},            {"%d h %d min", 1, 59.9, 59},
        {"%@", 0, 0.123456789, 0.123456789},        {"no directive", 0, 1.25, 1.25},
        {"%% %.1f", 0, 1.25, 1.2},                  {"%.2f", 0, -0.001, -0.0},
    };
    for (const auto& c : cases) {
        const double shown = CalculatorFormat::shown(QString::fromUtf8(c.format), c.index, c.value);
        EXPECT_EQ(shown, c.shown) << c.format << " " << c.value;
        EXPECT_EQ(std::signbit(shown), std::signbit(c.shown)) << c.format << " " << c.value;
    }
}

// The text tables' formats share the directive reader.
TEST(TextFormat, FillsTheTextTablesFormats)
{
    const struct { const char* format; std::initializer_list<QVariant> args; const char* text; } cases[] = {
        {"%d dives, %.1f m", {12, 12.5}, "12 dives, 12.5 m"},
        {"%@ in %s", {QStringLiteral("Malta"), 1.5f}, "Malta in 1.5"},
        {"%.1f m", {QStringLiteral("-")}, "- m"},
        {"%.2f %%", {double(INFINITY)}, "- %"},
        {"%.99999999999f", {1}, "%.99999999999f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatText(QString::fromUtf8(c.format), c.args), QString::fromUtf8(c.text)) << c.format;
}
