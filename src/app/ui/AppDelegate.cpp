#include "app/ui/AppDelegate.h"

#include "app/AppContext.h"
#include "app/Notifications.h"
#include "app/ui/MemoWindow.h"

QString AppDelegate::memoCommand() { return QStringLiteral("showPenseBeteWindow"); }

AppDelegate::AppDelegate(AppContext& context, QObject* parent) : QObject(parent), m_context(context)
{
    registerWindow(memoCommand(), [this] { return std::make_unique<MemoWindow>(m_context.settings()); });
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::registerWindow(const QString& command, Factory factory)
{
    if (!m_order.contains(command))
        m_order.append(command);
    m_windows[command].factory = std::move(factory);
}

QWidget* AppDelegate::showWindow(const QString& command)
{
    const auto found = m_windows.find(command);
    if (found == m_windows.end())
        return nullptr;
    Entry& entry = found->second;
    if (!entry.window) {
        entry.window = entry.factory();
        if (!entry.window)
            return nullptr;
        // Kept until the end of the run: closing only hides it.
        entry.window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    QWidget* window = entry.window.get();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QWidget* AppDelegate::existingWindow(const QString& command) const
{
    const auto found = m_windows.find(command);
    return found == m_windows.end() ? nullptr : found->second.window.get();
}

void AppDelegate::closeWindows()
{
    for (auto& [command, entry] : m_windows)
        if (entry.window)
            entry.window->close();
}

void AppDelegate::sendRenumDivesNotification(QObject* sender)
{
    m_context.hub().post(notifications::renumDives, sender);
}
