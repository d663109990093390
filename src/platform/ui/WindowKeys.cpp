#include "platform/ui/WindowKeys.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace windowkeys {

void addCloseKeys(QWidget* window, bool escape)
{
    QList<QKeySequence> keys = {QKeySequence(Qt::CTRL | Qt::Key_W)};
    if (escape)
        keys.append(QKeySequence(Qt::Key_Escape));
    auto* close = new QAction(window);
    close->setObjectName(QStringLiteral("closeWindowAction"));
    close->setShortcuts(keys);
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
}

void keepOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QRect available = screen->availableGeometry();
    // The title bar and borders: known once shown, else a fair guess.
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    QMargins decoration(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    if (!window->isVisible() || decoration.isNull())
        decoration = QMargins(4, 30, 4, 4);
    const QSize room = available.size().shrunkBy(decoration);
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize().boundedTo(room));
    if (size != window->size())
        window->resize(size);
    const int width = size.width() + decoration.left() + decoration.right();
    const int height = size.height() + decoration.top() + decoration.bottom();
    QPoint topLeft = window->pos();
    topLeft.setX(std::clamp(topLeft.x(), available.left(), std::max(available.left(), available.right() + 1 - width)));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), std::max(available.top(), available.bottom() + 1 - height)));
    if (topLeft != window->pos())
        window->move(topLeft);
}

void present(QWidget* window)
{
    if (!window->isVisible())
        keepOnScreen(window);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace windowkeys
