#include "calculators/CalculatorInputs.h"

#include "platform/NumberText.h"

double CalculatorInputs::number(const QString& field) const
{
    return numbertext::leadingDouble(text(field));
}

int CalculatorInputs::integer(const QString& field, int fallback) const
{
    bool ok = false;
    const int value = text(field).trimmed().toInt(&ok);
    return ok ? value : fallback;
}
