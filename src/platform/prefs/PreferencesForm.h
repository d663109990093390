#pragma once

#include "platform/RgbaColour.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class AppContext;

// The preferences window without its widgets: six panes of controls, each
// control bound to one settings key. Every control is loaded from the store,
// holds what the user types or picks until it is stored (switching panes
// keeps it), is enabled by the rules of its pane, and reaches the store
// before the notifications that make the open documents follow it.
class PreferencesForm {
public:
    enum class Pane { General, Logbook, Display, Profile, Deco, Rebreather };
    enum class Kind {
        Number, // a field holding a number; empty for none
        Switch,
        Colour,
        Text,
        Theme, // the pop-up of the coloured column: the tag of its item
    };

    struct Control {
        QString name;  // volumeBlocField, usUnitsSwitch, ...
        QString key;   // "tank volume", "us units", ...
        Kind kind = Kind::Switch;
        Pane pane = Pane::General;
        QString enabledBy; // the switch this control depends on, or empty
        QString labelKey;  // its label's localised text
        QString labelTable;
        double minimum = 0; // Number only: the range accepted, and whether
        double maximum = 0; // only whole numbers are
        bool whole = false;
    };

    // Every control, in the order in which they are stored.
    static const QList<Control>& controls();
    static const Control* control(const QString& name);
    static const Control* controlOfKey(const QString& key);
    static const QList<Pane>& panes();
    // The toolbar identifier ("general", ...), the label key (table "Main").
    static QString paneId(Pane pane);
    static QString paneLabelKey(Pane pane);
    // What storing a control of the pane posts, in order.
    static QStringList notificationsOf(Pane pane);
    // The theme pop-up's items: their label keys (table "Main"); the tag of
    // an item is its index.
    static const QStringList& themeLabelKeys();

    explicit PreferencesForm(AppContext& context);

    // Every control from the store.
    void load();
    void loadControl(const QString& name);

    QString text(const QString& name) const;
    bool isOn(const QString& name) const;
    std::optional<RgbaColour> colour(const QString& name) const;
    int tag(const QString& name) const;

    void setText(const QString& name, const QString& text);
    void setOn(const QString& name, bool on);
    void setColour(const QString& name, const std::optional<RgbaColour>& colour);
    void setTag(const QString& name, int tag);

    // Types a value as the command line gives it: numbers and texts as
    // typed, switches 1 or 0, colours "#rrggbb[aa]", the theme its tag. False
    // with the reason when the value is refused; the control is then
    // unchanged.
    bool type(const QString& name, const QString& value, QString* reason);

    // Whether a control's value may be stored: a number field holds a number
    // of its range, or nothing.
    bool acceptable(const QString& name) const;
    QString refusal(const QString& name) const;
    bool enabled(const QString& name) const;
    // The localised name of the temperature unit, from the stored "us units".
    QString unitLabel() const;

    // Writes every control's key, in order. A control whose value is not
    // acceptable leaves its key as it was.
    void storeAll();
    // Writes the keys of these controls, then posts the notifications of
    // their panes (each once, in pane order). Returns the names of the
    // controls that could not be stored.
    QStringList commit(const QStringList& names);
    // The factory values: shown, stored, then the logbooks follow them.
    void reset();

    AppContext& context() { return m_context; }

private:
    struct Value {
        QString text;
        bool on = false;
        std::optional<RgbaColour> colour;
        int tag = 0;
    };
    void store(const Control& control);
    void post(const QStringList& names);
    Value& valueOf(const QString& name);
    const Value* find(const QString& name) const;

    AppContext& m_context;
    QHash<QString, Value> m_values;
};
