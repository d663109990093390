#include "calculators/CalculatorInputs.h"

#include "platform/NumberText.h"

#include <limits>

namespace {
constexpr double kHuge = std::numeric_limits<double>::max();
}

bool CalculatorInputs::Range::holds(double v) const
{
    const bool aboveLowest = lowestIncluded ? v >= lowest : v > lowest;
    const bool belowHighest = highestIncluded ? v <= highest : v < highest;
    return aboveLowest && belowHighest;
}

CalculatorInputs::Range CalculatorInputs::Range::fraction()
{
    return {0.0, 100.0, false, true, {QStringLiteral("%")}};
}

CalculatorInputs::Range CalculatorInputs::Range::notNegative(const QStringList& units)
{
    return {0.0, kHuge, true, true, units};
}

CalculatorInputs::Range CalculatorInputs::Range::positive(const QStringList& units)
{
    return {0.0, kHuge, false, true, units};
}

double CalculatorInputs::number(const QString& field) const
{
    return numbertext::leadingDouble(text(field));
}

std::optional<double> CalculatorInputs::reading(const QString& field, const Range& range) const
{
    const numbertext::Typed typed = numbertext::typed(text(field), range.units);
    if (typed.kind == numbertext::Typed::Kind::Invalid)
        return std::nullopt;
    const double value = typed.isNumber() ? typed.value : 0.0;
    if (!range.holds(value))
        return std::nullopt;
    return value;
}

int CalculatorInputs::integer(const QString& field, int fallback) const
{
    bool ok = false;
    const int value = text(field).trimmed().toInt(&ok);
    return ok ? value : fallback;
}
