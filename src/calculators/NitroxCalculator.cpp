#include "calculators/NitroxCalculator.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kAirNitrogen = 0.79;
}

double NitroxCalculator::ppO2Limit(int itemIndex)
{
    switch (itemIndex) {
    case 0: return 1.2;
    case 1: return 1.3;
    case 2: return 1.4;
    case 3: return 1.5;
    case 4: return 1.6;
    default: return 1.4;
    }
}

double NitroxCalculator::maximumDepth(double fo2Percent, double ppO2)
{
    return (ppO2 / (fo2Percent / 100.0) - 1.0) * 10.0;
}

double NitroxCalculator::bestMix(double depth, double ppO2)
{
    return ppO2 / (depth / 10.0 + 1.0) * 100.0;
}

double NitroxCalculator::equivalentAirDepth(double fo2Percent, double depth)
{
    return (depth + 10.0) * (1.0 - fo2Percent / 100.0) / kAirNitrogen - 10.0;
}

NitroxCalculator::OxygenWindow NitroxCalculator::oxygenWindow(double fo2Percent, double minimumPpO2)
{
    const double f = fo2Percent / 100.0;
    OxygenWindow w{};
    w.maximumDepth = (1.6 / f - 1.0) * 10.0;
    w.minimumDepth = (minimumPpO2 / f - 1.0) * 10.0;
    w.nitrogenDepth = (kAirNitrogen / (1.0 - f) - 1.0) * 10.0;
    // std::min keeps the first when the second is undefined; an undefined
    // maximum stays undefined.
    w.limitDepth = std::isnan(w.nitrogenDepth) ? w.maximumDepth : std::min(w.maximumDepth, w.nitrogenDepth);
    return w;
}

NitroxCalculator::Blend NitroxCalculator::blend(double initialPressure, double finalPressure,
                                                double initialFo2Percent, double finalFo2Percent)
{
    const double pi = initialPressure;
    const double pf = finalPressure;
    const double toAdd = pf - pi;
    Blend b{};
    b.oxygenToAdd = toAdd - ((100.0 - finalFo2Percent) * pf - (100.0 - initialFo2Percent) * pi) / 79.0;
    b.addedFraction = (pf * finalFo2Percent - pi * initialFo2Percent) / toAdd;
    // Rounding leaves a few ulps on either side of an exact bound (a fill
    // of pure oxygen, a tank already at the wanted mix): such a value
    // counts as the bound.
    const double tolerance = 1e-9 * std::max({1.0, std::fabs(pi), std::fabs(pf)});
    b.reachable = std::isfinite(b.oxygenToAdd) && b.oxygenToAdd >= -tolerance && b.oxygenToAdd <= toAdd + tolerance;
    if (b.reachable)
        b.oxygenToAdd = std::clamp(b.oxygenToAdd, 0.0, std::max(0.0, toAdd));
    return b;
}
