#include "calculators/CalculatorAction.h"

const CalculatorField* CalculatorAction::input(const QString& field) const
{
    for (const CalculatorField& f : inputs)
        if (f.name == field)
            return &f;
    return nullptr;
}

CalculatorResult CalculatorAction::run(const QHash<QString, QString>& typed, const Localizer& texts) const
{
    CalculatorInputs in(typed);
    for (const CalculatorField& f : inputs)
        if (f.kind == CalculatorField::Kind::Choice)
            in.choose(f.name, f.valueOf(typed.value(f.name)));
    return compute(in, texts);
}
