#include "registers/RegisterForm.h"

#include "platform/Localizer.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

using registers::FormControl;
using registers::Rule;

namespace {

const QString kDash = QStringLiteral("-");

// What the text reads as a number ("," taken as the decimal point), or
// nothing when it starts with none.
std::optional<double> leadingNumber(const QString& text)
{
    QString t = text;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = numbertext::leadingDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

float decimalOf(const QString& text)
{
    const double v = leadingNumber(text).value_or(0.0);
    return std::abs(v) <= std::numeric_limits<float>::max() ? float(v) : 0.0f;
}

// A depth not given, typed as "-", as a text without a number, or below
// 0, is the marker -1.
float depthOf(const QString& text)
{
    if (text.trimmed() == kDash)
        return -1.0f;
    const std::optional<double> v = leadingNumber(text);
    if (!v || *v < 0 || *v > std::numeric_limits<float>::max())
        return -1.0f;
    return float(*v) + 0.0f; // "-0" stores 0
}

QString depthText(float depth) { return depth == -1.0f ? kDash : numbertext::shortest(depth); }

std::optional<QDateTime> typedDate(const QString& text)
{
    const QString t = text.trimmed();
    QDateTime d = QDateTime::fromString(t, Qt::ISODate);
    if (d.isValid())
        return d;
    for (const QString& form : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy")}) {
        const QDate day = QDate::fromString(t, form);
        if (day.isValid())
            return QDateTime(day, QTime(0, 0));
    }
    return std::nullopt;
}

std::optional<QDateTime> typedTime(const QString& text)
{
    const QString t = text.trimmed();
    for (const QString& form : {QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime time = QTime::fromString(t, form);
        if (time.isValid())
            return RegisterForm::timeOfDay(time);
    }
    return std::nullopt;
}

std::optional<int> typedWhole(const QString& text)
{
    const numbertext::Typed typed = numbertext::typed(text);
    if (!typed.isNumber() || typed.value != std::trunc(typed.value) || std::abs(typed.value) >= 1e9)
        return std::nullopt;
    return int(typed.value);
}

} // namespace

RegisterForm::RegisterForm(const registers::RegisterDescription& reg, const Localizer& localizer)
    : m_reg(&reg), m_localizer(&localizer), m_slotOfField(size_t(reg.schema.fieldCount()), -1),
      m_values(size_t(reg.controls.size()) + 1)
{
    for (qsizetype i = 0; i < reg.controls.size(); ++i)
        m_slotOfField[size_t(reg.controls[i].field)] = int(i);
    blank();
}

QDateTime RegisterForm::noDateOf(const FormControl& control)
{
    if (control.rule != Rule::Date || control.blankText.isEmpty())
        return QDateTime();
    return QDateTime(QDate::fromString(control.blankText, Qt::ISODate), QTime(0, 0));
}

QDateTime RegisterForm::timeOfDay(const QTime& time) { return QDateTime(QDate(2001, 1, 1), time); }

int RegisterForm::slotOf(int field) const
{
    return field >= 0 && field < int(m_slotOfField.size()) ? m_slotOfField[size_t(field)] : -1;
}

const FormControl* RegisterForm::controlOf(int field) const
{
    const int slot = slotOf(field);
    return slot < 0 ? nullptr : &m_reg->controls[slot];
}

const RegisterForm::ControlValue& RegisterForm::value(int field) const
{
    const int slot = slotOf(field);
    // The last value is the empty one of fields without a control.
    return m_values[slot < 0 ? m_values.size() - 1 : size_t(slot)];
}

void RegisterForm::setValue(int field, const ControlValue& value)
{
    if (const int slot = slotOf(field); slot >= 0)
        m_values[size_t(slot)] = value;
}

bool RegisterForm::typeText(QStringView fieldName, const QString& text, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const int field = m_reg->schema.fieldIndex(fieldName);
    const FormControl* control = controlOf(field);
    if (!control)
        return fail(QStringLiteral("the form has no field \"%1\"").arg(fieldName));
    ControlValue v = value(field);
    const auto notAValue = [&] {
        return fail(QStringLiteral("\"%1\" is not a value of the field \"%2\"").arg(text, fieldName));
    };
    switch (control->rule) {
    case Rule::Text:
    case Rule::Decimal:
    case Rule::Integer:
    case Rule::Depth:
    case Rule::Notes: v.text = text; break;
    case Rule::PopupTag:
    case Rule::Radio: {
        const std::optional<int> tag = typedWhole(text);
        if (!tag || !control->tags.contains(*tag))
            return notAValue();
        v.number = *tag;
        break;
    }
    case Rule::Slider: {
        const std::optional<int> n = typedWhole(text);
        if (!n || *n < 0 || *n > control->maximum)
            return notAValue();
        v.number = *n;
        break;
    }
    case Rule::Switch: {
        const QString t = text.trimmed().toLower();
        const bool on = t == u"on" || t == u"yes" || t == u"true" || t == u"1";
        if (!on && t != u"off" && t != u"no" && t != u"false" && t != u"0")
            return fail(QStringLiteral("\"%1\" is not on or off").arg(text));
        v.number = on ? 1 : 0;
        break;
    }
    case Rule::Date: {
        if (text.trimmed().isEmpty()) {
            v.date = noDateOf(*control);
            break;
        }
        const std::optional<QDateTime> d = typedDate(text);
        if (!d)
            return fail(QStringLiteral("\"%1\" is not a date").arg(text));
        v.date = *d;
        break;
    }
    case Rule::Time: {
        if (text.trimmed().isEmpty()) {
            v.date = QDateTime();
            break;
        }
        const std::optional<QDateTime> t = typedTime(text);
        if (!t)
            return fail(QStringLiteral("\"%1\" is not a time (HH:MM)").arg(text));
        v.date = *t;
        break;
    }
    case Rule::Image:
        if (!text.isEmpty())
            return fail(QStringLiteral("a picture cannot be typed; only \"\" clears it"));
        v.image.reset();
        break;
    }
    setValue(field, v);
    refresh();
    return true;
}

void RegisterForm::blank(int recordCount)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (qsizetype i = 0; i < m_reg->controls.size(); ++i) {
        const FormControl& c = m_reg->controls[i];
        ControlValue v;
        v.text = c.blankKey.isEmpty() ? c.blankText : m_localizer->text(c.blankKey, c.blankTable);
        if (c.blankNextNumber)
            v.text = QString::number(recordCount + 1);
        const bool tagged = c.rule == Rule::PopupTag || c.rule == Rule::Radio;
        v.number = tagged && !c.tags.isEmpty() ? c.tags.value(c.blankItem, c.tags.first()) : c.blankNumber;
        // A date's or a time's blank text names the value it shows, not a text.
        if (c.rule == Rule::Date) {
            v.date = c.blankDate ? *c.blankDate : c.blankText.isEmpty() ? now : noDateOf(c);
            v.text.clear();
        } else if (c.rule == Rule::Time) {
            v.date = typedTime(c.blankText).value_or(QDateTime());
            v.text.clear();
        }
        m_values[size_t(i)] = v;
    }
    m_values.back() = ControlValue();
    refresh();
}

void RegisterForm::refresh()
{
    if (m_reg->formRefresh)
        m_reg->formRefresh(*this);
}

void RegisterForm::load(const RegisterRecord& record)
{
    for (qsizetype i = 0; i < m_reg->controls.size(); ++i) {
        const FormControl& c = m_reg->controls[i];
        ControlValue v;
        switch (c.rule) {
        case Rule::Text:
        case Rule::Notes: v.text = record.text(c.field).value_or(QString()); break;
        case Rule::Decimal: v.text = numbertext::shortest(record.decimal(c.field)); break;
        case Rule::Depth: v.text = depthText(record.decimal(c.field)); break;
        case Rule::Integer: v.text = QString::number(record.integer(c.field)); break;
        // A code no item carries is kept as it is, so that storing the card
        // again does not change it.
        case Rule::PopupTag:
        case Rule::Radio: v.number = record.integer(c.field); break;
        case Rule::Switch: v.number = record.integer(c.field) != 0 ? 1 : 0; break;
        case Rule::Slider: v.number = std::clamp(record.integer(c.field), 0, c.maximum); break;
        case Rule::Date:
        case Rule::Time: v.date = record.date(c.field); break;
        case Rule::Image: v.image = record.image(c.field); break;
        }
        m_values[size_t(i)] = v;
    }
    refresh();
}

RegisterRecord::Value RegisterForm::stored(int field) const
{
    const FormControl* c = controlOf(field);
    if (!c)
        return RegisterRecord::freshValue(m_reg->schema.field(field).kind);
    const ControlValue& v = value(field);
    switch (c->rule) {
    case Rule::Text:
    case Rule::Notes: return RegisterRecord::Text(v.text);
    case Rule::Decimal: return decimalOf(v.text);
    case Rule::Depth: return depthOf(v.text);
    case Rule::Integer: return numbertext::leadingInt(v.text);
    case Rule::PopupTag:
    case Rule::Radio:
    case Rule::Switch:
    case Rule::Slider: return qint32(v.number);
    case Rule::Time:
    case Rule::Date: return v.date;
    case Rule::Image: return v.image;
    }
    return RegisterRecord::freshValue(m_reg->schema.field(field).kind);
}

RegisterRecord RegisterForm::store() const
{
    RegisterRecord record(m_reg->schema);
    for (const FormControl& c : m_reg->controls)
        record.setValue(c.field, stored(c.field));
    return record;
}
