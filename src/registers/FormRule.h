#pragma once

#include "platform/RgbaColour.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <variant>

class Localizer;
class RegisterForm;

// What a refresh of a register's edit form derives from the values in it:
// whether a control is enabled or shown, a number a control shows (a slider
// set from its field) or a text beside a control (a rating's value). A
// register lists its rules in its description; the form evaluates them, the
// edit window applies them and the command line's `show` reports them.
namespace registers {

enum class Derived { Enabled, Visible, Number, Text };

struct FormRule {
    QString control; // a field name, or the name of a control beside its field
    Derived what;
    std::function<bool(const RegisterForm&)> holds = {};                     // Enabled, Visible
    std::function<qint64(const RegisterForm&)> number = {};                  // Number
    std::function<QString(const RegisterForm&, const Localizer&)> text = {}; // Text
    // Text: the colour of the text, nothing for the default.
    std::function<std::optional<RgbaColour>(const RegisterForm&)> colour = {};
};

// One derived value: "control.enabled" and "control.visible" hold a
// boolean, a Number or Text rule's control name its number or text, and
// "control.colour" the colour of a coloured text.
struct DerivedValue {
    QString name;
    std::variant<bool, qint64, QString, std::optional<RgbaColour>> value;
    bool operator==(const DerivedValue&) const = default;
};

// The rules registers share.
// The control is enabled only while the switch field is on.
FormRule enabledWhileOn(const QString& control, int switchField);
// The control is enabled only while the switch field is off.
FormRule enabledWhileOff(const QString& control, int switchField);
// The control is hidden while the switch field is on.
FormRule hiddenWhileOn(const QString& control, int switchField);
// The control shows the whole-number value typed into a field.
FormRule numberOf(const QString& control, int field);
// A slider's value beside it, "?" while it is 0.
FormRule sliderValueText(const QString& control, int sliderField);

// Every rule's value for the form, in the order of the rules.
QList<DerivedValue> derive(const QList<FormRule>& rules, const RegisterForm& form, const Localizer& localizer);

} // namespace registers
