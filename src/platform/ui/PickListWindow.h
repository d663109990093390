#pragma once

#include "platform/prefs/PickListEditor.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <vector>

class AppContext;
class QLabel;
class QLineEdit;
class QListWidget;

// The editor window of a pick-list (the countries' window holds two lists
// side by side, countries and country codes): an entry field with Add, the
// list with Delete, and the count under it. The list shown is the shared
// working list, read again whenever the window is shown or comes forward.
class PickListWindow : public QWidget {
    Q_OBJECT

public:
    PickListWindow(AppContext& context, const QList<PickListId>& lists, const QString& windowName,
                   QWidget* parent = nullptr);
    ~PickListWindow() override;

    // Shows every list as it stands now.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Column {
        std::unique_ptr<PickListEditor> editor;
        QLineEdit* field = nullptr;
        QListWidget* table = nullptr;
        QLabel* count = nullptr;
    };
    void add(Column& column);
    void remove(Column& column);
    void showColumn(Column& column);

    AppContext& m_context;
    std::vector<Column> m_columns;
};
