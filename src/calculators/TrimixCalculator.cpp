#include "calculators/TrimixCalculator.h"

#include <cmath>

namespace {
constexpr double kAirNitrogen = 0.79;
}

TrimixCalculator::EquivalentDepths TrimixCalculator::equivalentDepths(double depth, double fo2Percent,
                                                                      double fhePercent)
{
    EquivalentDepths d{};
    d.airDepth = (depth + 10.0) * ((100.0 - fo2Percent - fhePercent) / 100.0) / kAirNitrogen - 10.0;
    if (d.airDepth < 0.0)
        d.airDepth = 0.0;
    d.narcoticDepth = (depth + 10.0) * (1.0 - fhePercent / 100.0) - 10.0;
    return d;
}

std::optional<double> TrimixCalculator::minimumDepth(double fo2Percent)
{
    // Written so that an undefined fraction is refused as well.
    if (!(fo2Percent >= 1.0 && fo2Percent <= 16.0))
        return std::nullopt;
    return (16.0 / fo2Percent - 1.0) * 10.0;
}

TrimixCalculator::BestMix TrimixCalculator::bestMix(double depth, double narcoticDepth, double ppO2)
{
    const double ambient = depth / 10.0 + 1.0;
    BestMix m{};
    m.oxygen = 100.0 * ppO2 / ambient;
    m.nitrogen = 100.0 * kAirNitrogen * (narcoticDepth / 10.0 + 1.0) / ambient;
    m.helium = 100.0 - m.oxygen - m.nitrogen;
    // Rounding may leave a few ulps below 0 for a part that is exactly 0
    // (a plain nitrox is the best mix): such a part counts as 0.
    constexpr double tolerance = 1e-9;
    const auto part = [](double v) { return std::isfinite(v) && v >= -tolerance; };
    m.reachable = part(m.oxygen) && part(m.nitrogen) && part(m.helium);
    if (m.reachable) {
        m.oxygen = std::fmax(m.oxygen, 0.0);
        m.nitrogen = std::fmax(m.nitrogen, 0.0);
        m.helium = std::fmax(m.helium, 0.0);
    }
    return m;
}
