#pragma once

#include "platform/AlertPresenter.h"

#include <QPointer>
#include <QWidget>

// Shows alerts as modal message boxes, one push button per title of the
// alert, in order.
class WidgetAlertPresenter : public AlertPresenter {
public:
    explicit WidgetAlertPresenter(QWidget* parent = nullptr);

    // The window the message boxes are centred on and modal to.
    void setParentWidget(QWidget* parent);

    int ask(const Alert& alert) override;

private:
    QPointer<QWidget> m_parent;
};
