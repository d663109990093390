#pragma once

#include "platform/context/PickLists.h"
#include "platform/prefs/PreferencesForm.h"

#include <QHash>
#include <QWidget>

#include <functional>

class AppContext;
class QActionGroup;
class QLabel;
class QStackedWidget;

// The preferences window: a toolbar of six panes over the preferences form.
// Each control shows the form's value; a change goes into the form, is
// stored, and the open documents follow at once. What is typed into a field
// stays there when the user goes to another pane and back.
class PreferencesWindow : public QWidget {
    Q_OBJECT

public:
    // `openPickList` shows the editor of a pick-list.
    PreferencesWindow(AppContext& context, std::function<void(PickListId)> openPickList, QWidget* parent = nullptr);
    ~PreferencesWindow() override;

    PreferencesForm& form() { return m_form; }
    // Shows a pane, as its toolbar item does.
    void goView(PreferencesForm::Pane pane);
    // The factory values, after which every control shows them.
    void resetPreferences();

private:
    QWidget* buildPane(PreferencesForm::Pane pane);
    QWidget* buildControl(const PreferencesForm::Control& control);
    QWidget* buildPickListButton();
    void commit(const QString& name);
    // Shows the form's values and enables the controls by its rules.
    void updateUI();
    void showValue(const QString& name);
    QString text(const QString& key, const QString& table = QStringLiteral("Main")) const;

    AppContext& m_context;
    PreferencesForm m_form;
    std::function<void(PickListId)> m_openPickList;
    QStackedWidget* m_pages = nullptr;
    QActionGroup* m_paneActions = nullptr;
    QLabel* m_unitLabel = nullptr;
    QHash<QString, QWidget*> m_widgets;
};
