#include "calculators/UnitConverter.h"

namespace {

// The constants as the conversions use them; litres from cubic inches use
// 61.0241 while the other direction uses 61.024.
constexpr double kPsiPerBar = 14.50377;
constexpr double kLitresPerCubicFoot = 28.317;
constexpr double kCubicInchesPerLitre = 61.024;
constexpr double kCubicInchesPerLitreBack = 61.0241;
constexpr double kCubicInchesPerCubicFoot = 1727.972;
constexpr double kMetresPerSurveyFoot = 0.3048006;
constexpr double kKilogramsPerPound = 0.4535924;
constexpr double kKelvinAtZeroCelsius = 273.15;

} // namespace

int UnitConverter::unitCount(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Volume:
    case Quantity::Temperature: return 3;
    case Quantity::Pressure:
    case Quantity::Length:
    case Quantity::Mass: return 2;
    }
    return 0;
}

int UnitConverter::sourceIndex(Quantity quantity, int tag)
{
    if (tag == 1)
        return 0;
    if (tag == 2 && unitCount(quantity) == 3)
        return 1;
    return unitCount(quantity) - 1;
}

QList<double> UnitConverter::convert(Quantity quantity, int tag, QList<double> v)
{
    v.resize(unitCount(quantity), 0.0);
    const int source = sourceIndex(quantity, tag);
    switch (quantity) {
    case Quantity::Pressure:
        if (source == 0)
            v[1] = v[0] * kPsiPerBar;
        else
            v[0] = v[1] / kPsiPerBar;
        break;
    case Quantity::Volume:
        if (source == 0) {
            v[1] = v[0] / kLitresPerCubicFoot;
            v[2] = v[0] * kCubicInchesPerLitre;
        } else if (source == 1) {
            v[0] = v[1] * kLitresPerCubicFoot;
            v[2] = v[1] * kCubicInchesPerCubicFoot;
        } else {
            v[0] = v[2] / kCubicInchesPerLitreBack;
            v[1] = v[2] / kCubicInchesPerCubicFoot;
        }
        break;
    case Quantity::Length:
        if (source == 0)
            v[1] = v[0] / kMetresPerSurveyFoot;
        else
            v[0] = v[1] * kMetresPerSurveyFoot;
        break;
    case Quantity::Mass:
        if (source == 0)
            v[1] = v[0] / kKilogramsPerPound;
        else
            v[0] = v[1] * kKilogramsPerPound;
        break;
    case Quantity::Temperature:
        if (source == 0) {
            v[1] = v[0] * 1.8 + 32.0;
            v[2] = v[0] + kKelvinAtZeroCelsius;
        } else if (source == 1) {
            v[0] = (v[1] - 32.0) / 1.8;
            v[2] = (v[1] - 32.0) / 1.8 + kKelvinAtZeroCelsius;
        } else {
            v[0] = v[2] - kKelvinAtZeroCelsius;
            v[1] = (v[2] - kKelvinAtZeroCelsius) * 1.8 + 32.0;
        }
        break;
    }
    return v;
}
