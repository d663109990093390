#pragma once

#include "platform/context/PickLists.h"

#include <QList>
#include <QString>
#include <QStringList>

class AppContext;

// The editor of one pick-list: adds the text of its entry field, deletes the
// selected entries after confirmation and tells the count. It owns no copy
// of the list: it changes the context's working list and writes the whole
// list back to the store after every change, so every combo box bound to the
// list follows at once.
class PickListEditor {
public:
    // One selected row, with the entry it showed when it was selected, so
    // that a list re-sorted or changed meanwhile never loses a neighbour.
    struct Selected {
        int row = -1;
        QString entry;
    };

    PickListEditor(AppContext& context, PickListId id);

    PickListId id() const { return m_id; }
    const QStringList& entries() const;

    // Whether the list is read again from the store each time its editor is
    // shown: the equipment, shop, brand, service, activity, wreck-type and
    // cause-of-sinking lists, which their documents may have replaced.
    bool reloadsOnShow() const;
    // What the editor does when its window is shown.
    void aboutToShow();

    // Appends the text unchanged (an empty text or a text already listed is
    // added too), sorts the list and writes it back.
    void add(const QString& text);

    // The selection of these rows as they show now; rows out of range are
    // left out.
    QList<Selected> selectionOf(const QList<int>& rows) const;
    // With something selected, asks "Erase selection" and, when the user
    // confirms, removes every selected entry (each at its row, or else the
    // nearest equal entry not already taken; never a different entry) and
    // writes the list back once. Returns the number of entries removed.
    // Nothing at all happens for an empty selection.
    int remove(const QList<Selected>& selection);

    // The localised "Entries" format filled with the number of entries.
    QString countText() const;
    static QString countText(const AppContext& context, qsizetype count);

    // The localised window title of the editor of a list.
    QString title() const;

private:
    AppContext& m_context;
    PickListId m_id;
};
