#pragma once

#include "calculators/CalculatorAction.h"
#include "platform/Localizer.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTextEdit;

// A calculator window: the controls of its window controller, each named
// (object name) after the controller's field, and its actions from the
// calculator table. Every edit of an input runs the action that reads it, so
// the results follow the typing; the texts and colours shown are exactly the
// action's. An output whose colour the action leaves undefined keeps the
// colour it had.
class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    CalculatorWindow(const QString& windowName, const Localizer& texts, QWidget* parent = nullptr);

    // The window name ("Nitrox Prof Max"), also its object name.
    QString windowName() const { return m_windowName; }
    // Runs an action of the window on what its controls hold now.
    void runAction(const QString& actionName);
    // The texts the window's controls hold, as the actions read them.
    QHash<QString, QString> typedTexts() const;
    // The control of a field, by the controller's field name.
    QWidget* control(const QString& field) const;

protected:
    using Reader = std::function<QString()>;
    using Writer = std::function<void(const QString&)>;
    using Painter = std::function<void(const QColor&)>;

    const CalculatorField* fieldDefinition(const QString& field) const;

    // Controls read by the actions: a text field, a pop-up menu with the
    // field's items, or any other control through its reader. Their edits
    // run the action that reads them.
    QLineEdit* addTextField(QFormLayout* form, const QString& field, const QString& label, const QString& unit);
    QComboBox* addPopUp(QFormLayout* form, const QString& field, const QString& label);
    void addInput(const QString& field, QWidget* control, Reader reader);
    // Controls written by the actions.
    QLabel* addResult(QBoxLayout* layout, const QString& field);
    void addRows(QBoxLayout* layout, const QStringList& fields);
    QTextEdit* addStyledText(QBoxLayout* layout, const QString& field);
    void addOutput(const QString& field, Writer writer, Painter painter = {});

    // Runs the action that reads `field` (the one run last, when several do).
    void inputEdited(const QString& field);

private:
    void show(const CalculatorResult& result, const CalculatorAction& action);

    QString m_windowName;
    Localizer m_texts;
    QList<const CalculatorAction*> m_actions;
    const CalculatorAction* m_lastAction = nullptr;
    QHash<QString, Reader> m_readers;
    QHash<QString, Writer> m_writers;
    QHash<QString, Painter> m_painters;
    QHash<QString, QTextEdit*> m_styled;
    QHash<QString, QWidget*> m_controls;
};
