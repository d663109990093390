#include "calculators/RebreatherCalculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using Safety = RebreatherCalculator::Safety;

TEST(CalcRebreather, AbsorbentTimeInHoursAndMinutes)
{
    const struct {
        double mass, capacity, production;
        int hours, minutes;
    } cases[] = {
        {2.5, 100, 1, 4, 10},   // 250 min
        {59.9, 1, 1, 0, 59},    // truncated, not rounded
        {1, 60, 1, 1, 0},
        {1, 119.99, 1, 1, 59},
        {0, 100, 1, 0, 0},
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

TEST(CalcRebreather, BreathedFraction)
{
    const struct {
        double supply, flow, consumption, fraction;
    } cases[] = {
        {40, 10, 1, 33.333333333333336}, // (4 - 1) / 9
        {50, 15, 1.8, 43.18181818181818},
        {100, 10, 1, 100},               // pure oxygen stays pure
        {40, 1, 1.5, 220},               // consumption above the supply
    };
    for (const auto& c : cases)
        EXPECT_NEAR(RebreatherCalculator::breathedFraction(c.supply, c.flow, c.consumption), c.fraction, 1e-9)
            << c.supply << " " << c.flow << " " << c.consumption;
    EXPECT_TRUE(std::isinf(RebreatherCalculator::breathedFraction(40, 1.2, 1.2)));
    EXPECT_TRUE(std::isnan(RebreatherCalculator::breathedFraction(100, 1.2, 1.2)));
}

TEST(CalcRebreather, IdealFlow)
{
    const struct {
        double supply, consumption, wanted, flow;
    } cases[] = {
        {50, 1, 30, 3.5}, // 0.7 / 0.2
        {40, 1.2, 21, 4.989473684210526},
        {32, 0.8, 21, 5.745454545454545},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(RebreatherCalculator::idealFlow(c.supply, c.consumption, c.wanted), c.flow, 1e-9) << c.supply;
    EXPECT_TRUE(std::isinf(RebreatherCalculator::idealFlow(32, 1, 32)));
}

TEST(CalcRebreather, ElevenConsumptionsByTenths)
{
    const QList<double> v = RebreatherCalculator::tableConsumptions();
    ASSERT_EQ(v.size(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(v[i], (8 + i) / 10.0) << i; // the nearest double of 0.8, 0.9, ...
    EXPECT_EQ(v[2], 1.0);
    EXPECT_EQ(v[10], 1.8);
}

TEST(CalcRebreather, BreathedFractionColourRule)
{
    const struct {
        double value;
        Safety safety;
    } cases[] = {
        {20.9, Safety::Safe},     {20.89, Safety::Danger}, {std::nextafter(20.9, 0.0), Safety::Danger},
        {33.3, Safety::Safe},     {100, Safety::Safe},     {100.01, Safety::Impossible},
        {220, Safety::Impossible}, {-5, Safety::Impossible}, {-0.0, Safety::Impossible}, {0, Safety::Danger},
        {INFINITY, Safety::Impossible}, {-INFINITY, Safety::Impossible}, {NAN, Safety::Undefined},
    };
    // A flow of 10 L/min for 1 L/min: only the fraction decides.
    for (const auto& c : cases)
        EXPECT_EQ(RebreatherCalculator::breathedFractionSafety(c.value, 10, 1), c.safety) << c.value;
}

TEST(CalcRebreather, ConsumingMoreThanTheSupplyIsNeverSafe)
{
    const struct {
        double supply, flow, consumption;
        Safety safety;
    } cases[] = {
        {40, 1, 1.5, Safety::Impossible},   // 220 %
        {100, 1.2, 1.3, Safety::Impossible}, // pure oxygen reads 100 % at any consumption
        {100, 1.2, 1.1, Safety::Safe},
        {40, 0, 1, Safety::Impossible},     // no flow typed yet: reads 100 %
        {40, 1.2, 1.2, Safety::Impossible}, // infinite
        {100, 1.2, 1.2, Safety::Undefined},
    };
    for (const auto& c : cases) {
        const double fraction = RebreatherCalculator::breathedFraction(c.supply, c.flow, c.consumption);
        EXPECT_EQ(RebreatherCalculator::breathedFractionSafety(fraction, c.flow, c.consumption), c.safety)
            << c.supply << " " << c.flow << " " << c.consumption;
    }
}

TEST(CalcRebreather, FlowColourRule)
{
    const struct {
        double value;
        Safety safety;
    } cases[] = {
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
