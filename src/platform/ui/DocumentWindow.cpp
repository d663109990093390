#include "platform/ui/DocumentWindow.h"

#include <QCloseEvent>

QString DocumentWindow::titleFor(const QString& name, const QString& kind)
{
    QString title = name + QStringLiteral("[*]");
    if (!kind.isEmpty())
        title += QStringLiteral(" – ") + kind;
    return title + QStringLiteral(" — Ondrix");
}

void DocumentWindow::closeWithoutAsking()
{
    m_closingAnswered = true;
    close();
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closingAnswered && m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    m_closingAnswered = true;
    closing();
    event->accept();
}
