#include "calculators/NitroxCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

// The figures checked by hand: pressure at D metres is D/10 + 1 bar, air is
// 79 % nitrogen.

TEST(CalcNitrox, LimitOfEachMenuItem)
{
    const struct {
        int index;
        double limit;
    } cases[] = {{0, 1.2}, {1, 1.3}, {2, 1.4}, {3, 1.5}, {4, 1.6}, {-1, 1.4}, {5, 1.4}, {100, 1.4}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NitroxCalculator::ppO2Limit(c.index), c.limit) << c.index;
}

TEST(CalcNitrox, MaximumDepth)
{
    const struct {
        double fo2, ppO2, depth;
    } cases[] = {
        {32, 1.4, 33.75}, // 1.4 / 0.32 = 4.375 bar
        {21, 1.4, 56.666666666666664},
        {50, 1.6, 22},
        {100, 1.6, 6},
        {36, 1.2, 23.333333333333336},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(NitroxCalculator::maximumDepth(c.fo2, c.ppO2), c.depth, 1e-12) << c.fo2 << " " << c.ppO2;
    EXPECT_TRUE(std::isinf(NitroxCalculator::maximumDepth(0, 1.4)));
}

TEST(CalcNitrox, BestMix)
{
    const struct {
        double depth, ppO2, fo2;
    } cases[] = {{30, 1.4, 35}, {0, 1.4, 140}, {40, 1.4, 28}, {6, 1.6, 100}, {-10, 1.4, INFINITY}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NitroxCalculator::bestMix(c.depth, c.ppO2), c.fo2) << c.depth;
}

TEST(CalcNitrox, EquivalentAirDepthIsNeverClamped)
{
    const struct {
        double fo2, depth, ead;
    } cases[] = {
        {21, 30, 30},                  // air is its own equivalent
        {32, 30, 24.430379746835442}, // 40 x 0.68 / 0.79 - 10
        {40, 0, -2.405063291139241},  // rich and shallow: below the surface
        {100, 10, -10},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(NitroxCalculator::equivalentAirDepth(c.fo2, c.depth), c.ead, 1e-12) << c.fo2 << " " << c.depth;
}

TEST(CalcNitrox, OxygenWindow)
{
    // 32 %, 0.16 bar: 1.6/0.32 = 5 bar, 0.16/0.32 = 0.5 bar, 0.79/0.68 bar.
    auto w = NitroxCalculator::oxygenWindow(32, 0.16);
    EXPECT_NEAR(w.maximumDepth, 40, 1e-12);
    EXPECT_NEAR(w.minimumDepth, -5, 1e-12);
    EXPECT_NEAR(w.nitrogenDepth, 1.6176470588235292, 1e-12);
    EXPECT_DOUBLE_EQ(w.limitDepth, w.nitrogenDepth);

    // Pure oxygen: the nitrogen term is infinite, the limit is the 6 m of 1.6 bar.
    w = NitroxCalculator::oxygenWindow(100, 0.5);
    EXPECT_TRUE(std::isinf(w.nitrogenDepth));
    EXPECT_NEAR(w.maximumDepth, 6, 1e-12);
    EXPECT_DOUBLE_EQ(w.limitDepth, w.maximumDepth);
    EXPECT_NEAR(w.minimumDepth, -5, 1e-12);

    // Air: both limits from 1.6 bar and from nitrogen.
    w = NitroxCalculator::oxygenWindow(21, 0.16);
    EXPECT_NEAR(w.nitrogenDepth, 0, 1e-12);
    EXPECT_DOUBLE_EQ(w.limitDepth, w.nitrogenDepth);
}

TEST(CalcNitrox, BlendingOntoWhatTheTankHolds)
{
    const struct {
        double pi, pf, fi, ff, oxygen, added;
    } cases[] = {
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
    const struct {
        const char* what;
        double pi, pf, fi, ff;
        bool reachable;
    } cases[] = {
        {"a mix leaner than air", 0, 200, 0, 18, false},               // would remove oxygen
        {"rich gas in the tank, air wanted", 100, 200, 50, 21, false}, // negative oxygen
        {"more oxygen than the pressure to add", 100, 200, 21, 100, false},
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
