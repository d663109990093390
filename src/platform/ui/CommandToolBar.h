#pragma once

#include "platform/ToolbarDefinition.h"
#include "platform/ui/ToolbarPictures.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QToolBar>

class AppContext;
class QAction;
class QMenu;
class QWidgetAction;
class ToolbarPalette;

// A document toolbar the diver customises: it lays its items out from the
// set kept in the settings (the default set until the diver chooses one),
// with their pictures, labels and tooltips. Its context menu shows and
// hides single items, opens the customisation palette and restores the
// default set; every change is kept in the settings at once and shown by
// every toolbar of the same identifier.
//
// The toolbar makes one action per command item; the window connects them
// to its commands and may put them in its menus as well. The find field is
// the window's widget, handed over with setSearchField.
class CommandToolBar : public QToolBar {
    Q_OBJECT

public:
    CommandToolBar(ToolbarDefinition definition, AppContext& context, QWidget* parent = nullptr);
    ~CommandToolBar() override;

    const ToolbarDefinition& definition() const { return m_definition; }
    // The action of a command item the toolbar offers; null for any other
    // identifier.
    QAction* itemAction(const QString& id) const { return m_actions.value(id); }
    QAction* customiseAction() const { return m_customise; }
    // The find field: shown where the "rechercher" item stands.
    void setSearchField(QWidget* field);
    QWidget* searchField() const;

    // The items shown, in order.
    QStringList shownItems() const { return m_shown; }
    bool isShown(const QString& id) const { return m_shown.contains(id); }
    // The tool button showing an item's action, null when it is not shown.
    QWidget* buttonOf(const QString& id) const;

    // The enabling rule: items that wait for a record are disabled while
    // the document holds none.
    void updateEnabling(int recordCount);

    // The open customisation palette, or null.
    ToolbarPalette* customisationPalette() const;
    // The entries of the context menu.
    void fillContextMenu(QMenu* menu);

    // Shows or hides one single item (not a separator nor a space).
    void setItemShown(const QString& id, bool shown);

public slots:
    // Lays the items out again from the settings.
    void rebuild();
    // Opens the palette (window-modal); its choice is kept when accepted.
    void customise();
    void restoreDefaults();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void store(const QStringList& ids);
    QString notificationName() const;

    ToolbarDefinition m_definition;
    AppContext& m_context;
    ToolbarPictures m_pictures;
    QHash<QString, QAction*> m_actions;
    QAction* m_customise;
    QWidgetAction* m_search = nullptr;
    QList<QAction*> m_transient; // separators and spaces of the current layout
    QStringList m_shown;
    QPointer<ToolbarPalette> m_palette;
};
