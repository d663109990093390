#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QActionGroup;
class QLineEdit;
class QMenu;
class QToolButton;

// The find field of the list window's toolbar: a text field with a menu of
// the dive fields it searches (boat, wrecks, notes, computer, buddies).
// Return searches the chosen field; choosing a field in the menu makes it
// the field searched and searches it at once. The search itself is the
// logbook's: the field only asks for it.
class DiveSearchField : public QWidget {
    Q_OBJECT

public:
    // The text fields of the dive searched, in menu order.
    static const QStringList& scopes();
    // The menu text of a scope.
    static QString scopeTitle(const QString& field);

    explicit DiveSearchField(QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }
    QMenu* scopeMenu() const { return m_menu; }
    QToolButton* scopeButton() const { return m_button; }
    QString scope() const { return m_scope; }
    QString text() const;
    // Makes a field the one searched, without searching.
    void setScope(const QString& field);
    // Puts the keyboard in the field with its text selected.
    void focusText();

public slots:
    // Searches the chosen field for the text typed.
    void find();

signals:
    void findRequested(const QString& field, const QString& text);

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
    QMenu* m_menu;
    QActionGroup* m_group;
    QString m_scope;
};
