#include "calculators/RebreatherCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using Safety = RebreatherCalculator::Safety;

TEST(CalcRebreather, AbsorbentTimeInHoursAndMinutes)
{
    const struct { double mass, capacity, production; int hours, minutes; } cases[] = {
        // 250 min, 59.9 min (truncated, not rounded) and no absorbent are CalcActionsTest's.
        {1, 60, 1, 1, 0},
        {1, 119.99, 1, 1, 59},
        {-90, 1, 1, -1, -30},   // toward zero on both parts
    };
    for (const auto& c : cases) {
        const double minutes = RebreatherCalculator::absorbentMinutes(c.mass, c.capacity, c.production);
        const auto hm = RebreatherCalculator::splitMinutes(minutes);
        ASSERT_TRUE(hm.has_value()) << minutes;
        EXPECT_EQ(hm->hours, c.hours) << minutes;
        EXPECT_EQ(hm->minutes, c.minutes) << minutes;
    }
}

TEST(CalcRebreather, TimesThatDoNotFitWholeHoursAreRefused)
{
    const double refused[] = {
        RebreatherCalculator::absorbentMinutes(2.5, 100, 0), // production 0: infinite
        RebreatherCalculator::absorbentMinutes(0, 100, 0),   // 0/0: undefined
        -std::numeric_limits<double>::infinity(),
        60.0 * 2147483648.0,  // 2^31 hours
        -60.0 * 2147483649.0, // one hour below the smallest int
        1e300,
    };
    for (const double minutes : refused)
        EXPECT_FALSE(RebreatherCalculator::splitMinutes(minutes).has_value()) << minutes;
    // The extremes that still fit.
    EXPECT_EQ(RebreatherCalculator::splitMinutes(60.0 * 2147483647.0)->hours, 2147483647);
    EXPECT_EQ(RebreatherCalculator::splitMinutes(-60.0 * 2147483648.0)->hours, -2147483647 - 1);
}

TEST(CalcRebreather, BreathedFractionColourRule)
{
    const struct { double value; Safety safety; } cases[] = {
        {20.9, Safety::Safe},     {20.89, Safety::Danger}, {std::nextafter(20.9, 0.0), Safety::Danger},
        {33.3, Safety::Safe},     {100, Safety::Safe},     {100.01, Safety::Impossible},
        {220, Safety::Impossible}, {-5, Safety::Impossible}, {-0.0, Safety::Impossible}, {0, Safety::Danger},
        {INFINITY, Safety::Impossible}, {-INFINITY, Safety::Impossible}, {NAN, Safety::Undefined},
    };
    // A flow of 10 L/min for 1 L/min: only the fraction decides.
    for (const auto& c : cases)
        EXPECT_EQ(RebreatherCalculator::breathedFractionSafety(c.value, 10, 1), c.safety) << c.value;
}

TEST(CalcRebreather, FlowColourRule)
{
    const struct { double value; Safety safety; } cases[] = {
        {3, Safety::Safe},       {20, Safety::Safe},       {2.99, Safety::Danger}, {20.01, Safety::Danger},
        {10, Safety::Safe},      {0, Safety::Danger},      {-1, Safety::Impossible}, {-0.0, Safety::Impossible},
        {INFINITY, Safety::Impossible}, {-INFINITY, Safety::Impossible}, {NAN, Safety::Undefined},
    };
    // A 50 % supply for a 30 % loop: only the flow decides.
    for (const auto& c : cases)
        EXPECT_EQ(RebreatherCalculator::flowSafety(c.value, 50, 30), c.safety) << c.value;
    // A supply no richer than the loop gives no flow at all.
    EXPECT_EQ(RebreatherCalculator::flowSafety(0, 30, 100), Safety::Impossible);
    EXPECT_EQ(RebreatherCalculator::flowSafety(5, 30, 30), Safety::Impossible);
}
