#include "calculators/TrimixCalculator.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(CalcTrimix, MinimumDepthOnlyForOneToSixteenPercent)
{
    const struct { double o2; bool valid; double depth; } cases[] = {
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

TEST(CalcTrimix, NoBestMixWhenAPartWouldBeNegative)
{
    const struct { const char* what; double depth, end, ppO2; } cases[] = {
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
