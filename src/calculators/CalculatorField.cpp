#include "calculators/CalculatorField.h"

#include <utility>

CalculatorField CalculatorField::text(const QString& name)
{
    CalculatorField f;
    f.name = name;
    return f;
}

CalculatorField CalculatorField::choice(const QString& name, QList<Item> items, const QString& defaultValue)
{
    CalculatorField f;
    f.name = name;
    f.kind = Kind::Choice;
    f.items = std::move(items);
    f.defaultValue = defaultValue;
    return f;
}

bool CalculatorField::accepts(const QString& typed) const
{
    if (kind == Kind::Text)
        return true;
    const QString value = typed.trimmed();
    if (value.isEmpty() || value == defaultValue)
        return true;
    for (const Item& item : items)
        if (item.value == value)
            return true;
    return false;
}

QString CalculatorField::valueOf(const QString& typed) const
{
    if (kind == Kind::Text)
        return typed;
    const QString value = typed.trimmed();
    if (value.isEmpty() || !accepts(value))
        return defaultValue;
    return value;
}
