#include "registers/FormRule.h"

#include "platform/NumberText.h"
#include "registers/RegisterForm.h"

namespace registers {

FormRule enabledWhileOn(const QString& control, int switchField)
{
    return {control, Derived::Enabled, [switchField](const RegisterForm& f) { return f.number(switchField) != 0; }};
}

FormRule enabledWhileOff(const QString& control, int switchField)
{
    return {control, Derived::Enabled, [switchField](const RegisterForm& f) { return f.number(switchField) == 0; }};
}

FormRule hiddenWhileOn(const QString& control, int switchField)
{
    return {control, Derived::Visible, [switchField](const RegisterForm& f) { return f.number(switchField) == 0; }};
}

FormRule numberOf(const QString& control, int field)
{
    return {control, Derived::Number, {},
            [field](const RegisterForm& f) { return qint64(numbertext::leadingInt(f.text(field))); }};
}

FormRule sliderValueText(const QString& control, int sliderField)
{
    return {control, Derived::Text, {}, {}, [sliderField](const RegisterForm& f, const Localizer&) {
                const int value = f.number(sliderField);
                return value == 0 ? QStringLiteral("?") : QString::number(value);
            }};
}

QList<DerivedValue> derive(const QList<FormRule>& rules, const RegisterForm& form, const Localizer& localizer)
{
    QList<DerivedValue> values;
    values.reserve(rules.size());
    for (const FormRule& rule : rules) {
        switch (rule.what) {
        case Derived::Enabled: values.append({rule.control + QStringLiteral(".enabled"), rule.holds(form)}); break;
        case Derived::Visible: values.append({rule.control + QStringLiteral(".visible"), rule.holds(form)}); break;
        case Derived::Number: values.append({rule.control, rule.number(form)}); break;
        case Derived::Text:
            values.append({rule.control, rule.text(form, localizer)});
            if (rule.colour)
                values.append({rule.control + QStringLiteral(".colour"), rule.colour(form)});
            break;
        }
    }
    return values;
}

} // namespace registers
