#include "platform/ui/WidgetAlertPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

WidgetAlertPresenter::WidgetAlertPresenter(QWidget* parent)
    : m_parent(parent)
{
}

void WidgetAlertPresenter::setParentWidget(QWidget* parent)
{
    m_parent = parent;
}

int WidgetAlertPresenter::ask(const Alert& alert)
{
    if (alert.beep)
        QApplication::beep();

    QMessageBox box(m_parent.data());
    box.setIcon(QMessageBox::Warning);
    box.setText(alert.message);

    QList<QAbstractButton*> buttons;
    for (int i = 0; i < alert.buttons.size(); ++i) {
        // The first button answers yes; the others are alternatives. The
        // roles only steer the layout: the answer is the button's index.
        const QMessageBox::ButtonRole role = i == 0 ? QMessageBox::AcceptRole
            : i == alert.buttons.size() - 1         ? QMessageBox::RejectRole
                                                    : QMessageBox::ActionRole;
        buttons.append(box.addButton(alert.buttons.at(i), role));
    }
    if (!buttons.isEmpty()) {
        const int chosen = alert.defaultButton >= 0 && alert.defaultButton < buttons.size() ? alert.defaultButton : 0;
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.at(chosen)));
        box.setEscapeButton(buttons.last());
    }

    box.exec();

    const int index = buttons.indexOf(box.clickedButton());
    return index < 0 ? 0 : index;
}
