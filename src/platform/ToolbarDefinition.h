#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Localizer;
class SettingsStore;

// A customisable toolbar without its widgets: the items it knows, those the
// palette offers and those it shows by default, which items wait for a
// record, and the diver's own set of items, kept in the settings under
// "toolbar " + the toolbar's identifier as a list of item identifiers.
class ToolbarDefinition {
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
        bool needsDives;      // disabled while the document holds no record
    };

    // Identifiers of the standard items.
    static const QString separatorId;
    static const QString spaceId;
    static const QString flexibleSpaceId;
    static const QString customiseId;
    static const QString searchId;

    // The separator, the spaces and the customise button.
    static const QList<Item>& standardItems();
    // Whether an item may stand more than once in a toolbar (separators and
    // spaces).
    static bool isRepeatable(const QString& id);

    // The texts of an item, looked up in the tables named by the item;
    // items without a tooltip have an empty one.
    static QString label(const Item& item, const Localizer& localizer);
    static QString tooltip(const Item& item, const Localizer& localizer);

    // A toolbar with no items.
    ToolbarDefinition() = default;
    // A toolbar of its own items (the standard ones are known to every
    // toolbar); every default item must be among the allowed ones.
    ToolbarDefinition(QString id, QList<Item> items, QStringList allowed, QStringList defaults);

    const QString& id() const { return m_id; }
    bool isKnown() const { return !m_allowed.isEmpty(); }
    // The items the palette offers, in order.
    const QStringList& allowedItems() const { return m_allowed; }
    const QStringList& defaultItems() const { return m_defaults; }
    bool isAllowed(const QString& id) const { return m_allowed.contains(id); }

    // The item of an identifier, among the toolbar's and the standard ones;
    // null for any other.
    const Item* find(const QString& id) const;
    // The enabling rule: items waiting for a record are disabled while the
    // document holds none; every other item, and any unknown one, is enabled.
    bool enabled(const QString& id, int recordCount) const;

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
    QList<Item> m_items;
    QStringList m_allowed;
    QStringList m_defaults;
};
