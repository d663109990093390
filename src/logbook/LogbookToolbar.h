#pragma once

#include "platform/ToolbarDefinition.h"

#include <QList>
#include <QString>

class Localizer;

// The logbook's two customisable toolbars: the list window's
// ("tableViewToolbar") and the edit window's ("editWindowToolbar"), with
// the items each offers and shows by default and which items need dives.
class LogbookToolbar : public ToolbarDefinition {
public:
    static const QString listToolbarId; // "tableViewToolbar"
    static const QString editToolbarId; // "editWindowToolbar"

    // Every item of both toolbars, the standard ones included.
    static const QList<Item>& items();
    // The item of an identifier; null for an identifier no toolbar knows.
    static const Item* item(const QString& id);
    // The enabling rule: items that need dives are disabled in an empty
    // logbook; every other item, and any unknown one, is enabled.
    static bool isEnabled(const QString& id, int diveCount);

    // A toolbar by identifier; an unknown identifier gives a toolbar with
    // no items.
    explicit LogbookToolbar(const QString& toolbarId);
};
