#pragma once

#include "platform/ToolbarDefinition.h"

#include <QDialog>
#include <QIcon>
#include <QStringList>

#include <functional>
#include <utility>

class QListWidget;
class QPushButton;

// The customisation palette of a toolbar: every item the toolbar offers, in
// a list the diver ticks and orders (by dragging or with the arrows). The
// items shown come first, in their order, then those left out; separators
// and spaces are offered once more each, since they may stand several
// times. "Restore Default Set" ticks the toolbar's default set again.
class ToolbarPalette : public QDialog {
    Q_OBJECT

public:
    // The palette label and picture of an item identifier.
    using Describe = std::function<std::pair<QString, QIcon>(const QString& id)>;

    ToolbarPalette(const ToolbarDefinition& toolbar, const QStringList& shown, Describe describe,
                   QWidget* parent = nullptr);

    // The ticked items, in order.
    QStringList chosen() const;
    QListWidget* list() const { return m_list; }
    QPushButton* restoreButton() const { return m_restore; }

public slots:
    void restoreDefaults();
    void moveUp();
    void moveDown();

private:
    void fill(const QStringList& shown);
    void moveCurrent(int step);

    ToolbarDefinition m_toolbar;
    Describe m_describe;
    QListWidget* m_list;
    QPushButton* m_restore;
};
