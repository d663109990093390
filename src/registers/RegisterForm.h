#pragma once

#include "registers/RegisterDescription.h"
#include "registers/RegisterRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <vector>

class Localizer;
class SettingsStore;

// A register's edit form as a model: one value per control of the
// register's description (the text typed, the tag of the chosen item, the
// switch or slider, the date, the picture). Widgets show it and type into
// it; adding, inserting and updating build a whole new record from it.
class RegisterForm {
public:
    struct ControlValue {
        QString text;       // Text, Decimal, Integer, Depth, Notes
        int number = 0;     // PopupTag, Switch, Slider
        QDateTime date;     // Date; invalid shows no date
        RegisterRecord::Image image; // Image; none shows the placeholder
        bool operator==(const ControlValue&) const = default;
    };

    RegisterForm(const registers::RegisterDescription& reg, const Localizer& localizer);

    const registers::RegisterDescription& description() const { return *m_reg; }
    // The control bound to a field, or nothing for a field without one.
    const registers::FormControl* controlOf(int field) const;

    // Control values, by field index of the record; a field without a
    // control reads as an empty value and ignores what is set.
    const ControlValue& value(int field) const;
    void setValue(int field, const ControlValue& value);
    QString text(int field) const { return value(field).text; }
    int number(int field) const { return value(field).number; }

    // Types a text into the control of a field, as the command line does:
    // pop-ups take the tag, switches "1"/"0" (or "on"/"off"), sliders a whole
    // number in their range, dates "YYYY-MM-DD[THH:MM[:SS]]" or "DD/MM/YYYY"
    // (empty for no date); a picture can only be cleared (empty).
    bool typeText(QStringView fieldName, const QString& text, QString* error = nullptr);

    // Every control to its blank value; dates show now. A card number
    // shows the number of records plus one.
    void blank(int recordCount = 0);
    // What a refresh changes in the controls (see formRefresh).
    void refresh();
    // Shows a record.
    void load(const RegisterRecord& record);
    // A new record built from the controls by their reading rules; fields
    // without a control keep the value of a fresh record.
    RegisterRecord store() const;
    // What storing would put into one field: its control's value read by
    // the control's rule (a fresh value for a field without a control), so
    // that figures computed while typing read the form as storing does.
    RegisterRecord::Value stored(int field) const;

    bool sameValues(const RegisterForm& other) const { return m_values == other.m_values; }

    // The settings the form's derived rules read (a cell life); none when
    // the form stands alone.
    void setSettings(const SettingsStore* settings) { m_settings = settings; }
    const SettingsStore* settings() const { return m_settings; }

    // The day a date control stores for "no date" (its blank), or an
    // invalid date; a date equal to it shows as no date.
    static QDateTime noDateOf(const registers::FormControl& control);
    // A time of day as a time control holds it, on 1 January 2001.
    static QDateTime timeOfDay(const QTime& time);

private:
    int slotOf(int field) const;

    const registers::RegisterDescription* m_reg;
    const Localizer* m_localizer;
    const SettingsStore* m_settings = nullptr;
    std::vector<int> m_slotOfField;
    std::vector<ControlValue> m_values;
};
