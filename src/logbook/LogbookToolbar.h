#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Localizer;
class SettingsStore;

// The logbook's two customisable toolbars: the list window's
// ("tableViewToolbar") and the edit window's ("editWindowToolbar"). This
// holds what does not depend on widgets: the items each toolbar offers and
// shows by default, which items need dives, and the diver's own set of
// items, kept in the settings under "toolbar " + the toolbar's identifier
// as a list of item identifiers.
class LogbookToolbar {
public:
    enum class Kind {
        Command,       // a button starting a command
        SearchField,   // the find field with its menu of scopes
        Separator,     // the standard items: a line,
        Space,         // a fixed space,
        FlexibleSpace, // a space taking the room left,
        Customise      // and the button opening the palette
    };

    struct Item {
        const char* id;
        Kind kind;
        const char* labelKey; // also the palette label
        const char* labelTable;
        const char* labelEnglish; // shown while the tables lack the key
        const char* picture;      // the picture's name; empty for none
        const char* tooltipKey;   // empty for none
        const char* tooltipTable;
        const char* tooltipEnglish;
        const char* action;   // the command the item starts
        bool needsDives;      // disabled while the logbook holds no dive
    };

    // Identifiers of the standard items.
    static const QString separatorId;
    static const QString spaceId;
    static const QString flexibleSpaceId;
    static const QString customiseId;
    static const QString searchId;

    static const QString listToolbarId; // "tableViewToolbar"
    static const QString editToolbarId; // "editWindowToolbar"

    // Every item of both toolbars.
    static const QList<Item>& items();
    // The item of an identifier; null for an identifier no toolbar knows.
    static const Item* item(const QString& id);

    // Whether an item may stand more than once in a toolbar (separators and
    // spaces).
    static bool isRepeatable(const QString& id);
    // The enabling rule: items that need dives are disabled in an empty
    // logbook; every other item, and any unknown one, is enabled.
    static bool isEnabled(const QString& id, int diveCount);

    // The texts of an item, looked up in the tables named by the item;
    // items without a tooltip have an empty one.
    static QString label(const Item& item, const Localizer& localizer);
    static QString tooltip(const Item& item, const Localizer& localizer);

    // A toolbar by identifier; an unknown identifier gives a toolbar with
    // no items.
    explicit LogbookToolbar(QString toolbarId);

    const QString& id() const { return m_id; }
    bool isKnown() const { return !m_allowed.isEmpty(); }
    // The items the palette offers, in order. Every default item is among
    // them, so any item taken away can be put back.
    const QStringList& allowedItems() const { return m_allowed; }
    const QStringList& defaultItems() const { return m_defaults; }
    bool isAllowed(const QString& id) const { return m_allowed.contains(id); }

    // The settings key holding the diver's set: "toolbar tableViewToolbar".
    QString settingsKey() const;
    // The items shown, in order: the stored set without the identifiers the
    // toolbar does not offer and without repeats of single items; the
    // default set when none is stored.
    QStringList configuration(const SettingsStore& settings) const;
    // Keeps a set, cleaned as configuration() cleans it. The default set
    // itself is not stored, so later versions' defaults apply to it.
    void setConfiguration(SettingsStore& settings, const QStringList& ids) const;
    // Forgets the diver's set: the default set shows again.
    void restoreDefaults(SettingsStore& settings) const;
    // Cleans a set of identifiers as configuration() does.
    QStringList cleaned(const QStringList& ids) const;

private:
    QString m_id;
    QStringList m_allowed;
    QStringList m_defaults;
};
