#include "calculators/TrimixCalculator.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(CalcTrimix, EquivalentDepths)
{
    const struct {
        double depth, o2, he, ead, end;
    } cases[] = {
        {60, 18, 45, 22.784810126582272, 28.5}, // 70 x 0.37 / 0.79 - 10; 70 x 0.55 - 10
        {30, 21, 0, 30, 30},                    // air
        {5, 10, 70, 0, -5.5},                   // shallow and helium-rich: EAD held at 0, END below 0
        {0, 21, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto d = TrimixCalculator::equivalentDepths(c.depth, c.o2, c.he);
        EXPECT_NEAR(d.airDepth, c.ead, 1e-12) << c.depth << " " << c.o2 << " " << c.he;
        EXPECT_NEAR(d.narcoticDepth, c.end, 1e-12) << c.depth << " " << c.o2 << " " << c.he;
        EXPECT_GE(d.airDepth, 0.0);
    }
}

TEST(CalcTrimix, MinimumDepthOnlyForOneToSixteenPercent)
{
    const struct {
        double o2;
        bool valid;
        double depth;
    } cases[] = {
        {10, true, 6}, {16, true, 0}, {1, true, 150}, {8, true, 10},
        {0.5, false, 0}, {0.999, false, 0}, {16.001, false, 0}, {21, false, 0}, {0, false, 0}, {-5, false, 0},
        {INFINITY, false, 0}, {NAN, false, 0},
    };
    for (const auto& c : cases) {
        const auto d = TrimixCalculator::minimumDepth(c.o2);
        ASSERT_EQ(d.has_value(), c.valid) << c.o2;
        if (d) {
            EXPECT_NEAR(*d, c.depth, 1e-12) << c.o2;
        }
    }
}

TEST(CalcTrimix, BestMix)
{
    // 60 m, END 30 m, 1.4 bar: 140/7 = 20 % oxygen, 79 x 4 / 7 = 45.14 % nitrogen.
    auto m = TrimixCalculator::bestMix(60, 30, 1.4);
    EXPECT_TRUE(m.reachable);
    EXPECT_DOUBLE_EQ(m.oxygen, 20);
    EXPECT_NEAR(m.helium, 34.857142857142854, 1e-12);
    EXPECT_NEAR(m.oxygen + m.helium + m.nitrogen, 100, 1e-12);

    // END equal to the depth with the oxygen of air: a plain nitrox, no helium.
    m = TrimixCalculator::bestMix(30, 30, 0.84);
    EXPECT_TRUE(m.reachable);
    EXPECT_DOUBLE_EQ(m.helium, 0);
}

TEST(CalcTrimix, NoBestMixWhenAPartWouldBeNegative)
{
    const struct {
        const char* what;
        double depth, end, ppO2;
    } cases[] = {
        {"oxygen and nitrogen over 100 % (35 % + 79 %)", 30, 30, 1.4},
        {"more oxygen than the whole gas", 0, 0, 1.4},
        {"a narcotic depth below -10 m", 60, -20, 1.4},
        {"a negative partial pressure", 60, 30, -1},
        {"a depth of -10 m", -10, 0, 1.4},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(TrimixCalculator::bestMix(c.depth, c.end, c.ppO2).reachable) << c.what;
    // The arithmetic still gives the figure the menu would refuse.
    EXPECT_NEAR(TrimixCalculator::bestMix(30, 30, 1.4).helium, -14, 1e-12);
}
