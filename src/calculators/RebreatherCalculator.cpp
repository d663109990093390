#include "calculators/RebreatherCalculator.h"

#include <cmath>

double RebreatherCalculator::absorbentMinutes(double mass, double capacity, double production)
{
    return mass * capacity / production;
}

std::optional<RebreatherCalculator::HoursMinutes> RebreatherCalculator::splitMinutes(double minutes)
{
    const double hours = std::trunc(minutes / 60.0);
    // Converting a number outside the int range is undefined: refuse it.
    if (!std::isfinite(hours) || hours < -2147483648.0 || hours > 2147483647.0)
        return std::nullopt;
    HoursMinutes hm{};
    hm.hours = int(hours);
    // Strictly between -60 and 60 here.
    hm.minutes = int(std::trunc(minutes - 60.0 * hours));
    return hm;
}

double RebreatherCalculator::breathedFraction(double supplyFo2Percent, double flow, double consumption)
{
    return (flow * supplyFo2Percent / 100.0 - consumption) / (flow - consumption) * 100.0;
}

double RebreatherCalculator::idealFlow(double supplyFo2Percent, double consumption, double wantedFo2Percent)
{
    return consumption * (1.0 - wantedFo2Percent / 100.0) / (supplyFo2Percent / 100.0 - wantedFo2Percent / 100.0);
}

QList<double> RebreatherCalculator::tableConsumptions()
{
    QList<double> values;
    values.reserve(11);
    // Tenths divided once, so that each value is the nearest double of its
    // decimal (no sum of 0.1 steps drifting).
    for (int tenths = 8; tenths <= 18; ++tenths)
        values.append(tenths / 10.0);
    return values;
}

RebreatherCalculator::Safety RebreatherCalculator::breathedFractionSafety(double shownPercent, double flow,
                                                                         double consumption)
{
    if (std::isnan(shownPercent))
        return Safety::Undefined;
    // A shown "-0.00" is a negative fraction rounded, not an empty loop.
    if (!(consumption < flow) || !std::isfinite(shownPercent) || std::signbit(shownPercent) || shownPercent > 100.0)
        return Safety::Impossible;
    return shownPercent < 20.9 ? Safety::Danger : Safety::Safe;
}

RebreatherCalculator::Safety RebreatherCalculator::flowSafety(double shownFlow, double supplyFo2Percent,
                                                             double wantedFo2Percent)
{
    if (std::isnan(shownFlow))
        return Safety::Undefined;
    if (!(supplyFo2Percent > wantedFo2Percent) || !std::isfinite(shownFlow) || std::signbit(shownFlow))
        return Safety::Impossible;
    return shownFlow < 3.0 || shownFlow > 20.0 ? Safety::Danger : Safety::Safe;
}
