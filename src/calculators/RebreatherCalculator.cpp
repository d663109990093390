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

RebreatherCalculator::Safety RebreatherCalculator::breathedFractionSafety(double percent, double flow,
                                                                         double consumption)
{
    if (std::isnan(percent))
        return Safety::Undefined;
    if (consumption > flow)
        return Safety::Danger;
    return percent < 20.9 || percent > 100.0 ? Safety::Danger : Safety::Safe;
}

RebreatherCalculator::Safety RebreatherCalculator::flowSafety(double litresPerMinute)
{
    if (std::isnan(litresPerMinute))
        return Safety::Undefined;
    return litresPerMinute < 3.0 || litresPerMinute > 20.0 ? Safety::Danger : Safety::Safe;
}
