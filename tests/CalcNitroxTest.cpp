#include "calculators/NitroxCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

// The figures checked by hand: pressure at D metres is D/10 + 1 bar, air is
// 79 % nitrogen.

TEST(CalcNitrox, LimitOfEachMenuItem)
{
    const struct { int index; double limit; } cases[] = {{0, 1.2}, {1, 1.3}, {2, 1.4}, {3, 1.5}, {4, 1.6}, {-1, 1.4}, {5, 1.4}, {100, 1.4}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NitroxCalculator::ppO2Limit(c.index), c.limit) << c.index;
}

TEST(CalcNitrox, BlendingOntoWhatTheTankHolds)
{
    const struct { double pi, pf, fi, ff, oxygen, added; } cases[] = {
        // 200 - 68 x 200 / 79 bar of oxygen into an empty tank: the gas added is the mix.
        {0, 200, 0, 32, 200 - 13600.0 / 79, 32},
        // 50 bar of 32 % to 200 bar of 36 %: 150 - (64 x 200 - 68 x 50) / 79.
        {50, 200, 32, 36, 150 - (12800.0 - 3400.0) / 79, (7200.0 - 1600.0) / 150},
    };
    for (const auto& c : cases) {
        const auto b = NitroxCalculator::blend(c.pi, c.pf, c.fi, c.ff);
        EXPECT_TRUE(b.reachable) << c.pi;
        EXPECT_NEAR(b.oxygenToAdd, c.oxygen, 1e-9) << c.pi;
        EXPECT_NEAR(b.addedFraction, c.added, 1e-12) << c.pi;
    }
}

TEST(CalcNitrox, BlendsThatNoFillReaches)
{
    const struct { const char* what; double pi, pf, fi, ff; bool reachable; } cases[] = {
        // Leaner than air, negative oxygen and more oxygen than the pressure
        // to add are CalcActionsTest's.
        {"a tank to empty", 200, 100, 32, 32, false},
        {"no pressure to add, richer mix", 200, 200, 21, 32, false},
        {"pure oxygen into an empty tank", 0, 200, 0, 100, true},     // the upper bound
        {"air topped with air", 50, 200, 21, 21, true},               // the lower bound: no oxygen
        {"the tank is already right", 200, 200, 32, 32, true},
        {"an infinite pressure", 0, INFINITY, 0, 32, false},
    };
    for (const auto& c : cases) {
        const auto b = NitroxCalculator::blend(c.pi, c.pf, c.fi, c.ff);
        EXPECT_EQ(b.reachable, c.reachable) << c.what;
        if (b.reachable) {
            EXPECT_GE(b.oxygenToAdd, 0.0) << c.what;
            EXPECT_LE(b.oxygenToAdd, std::max(0.0, c.pf - c.pi)) << c.what;
        }
    }
    EXPECT_DOUBLE_EQ(NitroxCalculator::blend(0, 200, 0, 100).oxygenToAdd, 200);
    EXPECT_DOUBLE_EQ(NitroxCalculator::blend(50, 200, 21, 21).oxygenToAdd, 0);
    // Nothing to add: the fraction of the gas added is undefined.
    EXPECT_TRUE(std::isnan(NitroxCalculator::blend(200, 200, 32, 32).addedFraction));
}
