#include "calculators/UnitConverter.h"

#include <cmath>

#include <gtest/gtest.h>

using Q = UnitConverter::Quantity;

namespace {

// Rounds to the number of decimals the figure is quoted with.
double rounded(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

} // namespace

TEST(CalcConversions, SourceOfEachTag)
{
    const struct { Q quantity; int tag, source; } cases[] = {
        {Q::Pressure, 1, 0},    {Q::Pressure, 2, 1},    {Q::Pressure, 0, 1},    {Q::Pressure, 7, 1},
        {Q::Volume, 1, 0},      {Q::Volume, 2, 1},      {Q::Volume, 3, 2},      {Q::Volume, 0, 2},
        {Q::Length, 1, 0},      {Q::Length, 2, 1},      {Q::Mass, 1, 0},        {Q::Mass, 2, 1},
        {Q::Temperature, 1, 0}, {Q::Temperature, 2, 1}, {Q::Temperature, 3, 2}, {Q::Temperature, -1, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnitConverter::sourceIndex(c.quantity, c.tag), c.source) << int(c.quantity) << " " << c.tag;
}

TEST(CalcConversions, Figures)
{
    const struct {
        const char* what;
        Q quantity;
        int tag;
        QList<double> in;
        QList<double> expected; // each to the decimals given
        int decimals;
    } cases[] = {
        // The figures the calculator window shows are CalcActionsTest's; these
        // are the conversions it does not reach.
        {"1 survey foot", Q::Length, 2, {0, 1}, {0.3048006, 1}, 7},
        {"1 ft3", Q::Volume, 2, {0, 1, 0}, {28.317, 1, 1727.972}, 6},
        {"1 lb", Q::Mass, 2, {0, 1}, {0.4535924, 1}, 7},
        {"212 F", Q::Temperature, 2, {0, 212, 0}, {100, 212, 373.15}, 6},
        {"below absolute zero", Q::Temperature, 3, {0, 0, -10}, {-283.15, -477.67, -10}, 6},
        {"a negative pressure", Q::Pressure, 1, {-2, 0}, {-2, -29.00754}, 5},
    };
    for (const auto& c : cases) {
        const QList<double> out = UnitConverter::convert(c.quantity, c.tag, c.in);
        ASSERT_EQ(out.size(), c.expected.size()) << c.what;
        for (qsizetype i = 0; i < out.size(); ++i)
            EXPECT_DOUBLE_EQ(rounded(out[i], c.decimals), c.expected[i]) << c.what << " unit " << i;
    }
}

TEST(CalcConversions, TheSourceIsLeftAsGiven)
{
    const QList<double> out = UnitConverter::convert(Q::Volume, 2, {5, 0.1, 9});
    EXPECT_EQ(out[1], 0.1);
    // Missing values read as 0.
    EXPECT_EQ(UnitConverter::convert(Q::Temperature, 1, {}), (QList<double>{0, 32, 273.15}));
}
