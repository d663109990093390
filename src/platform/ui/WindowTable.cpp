#include "platform/ui/WindowTable.h"

#include "platform/ui/WindowKeys.h"

WindowTable::WindowTable(QObject* parent) : QObject(parent) {}

WindowTable::~WindowTable() = default;

void WindowTable::registerWindow(const QString& command, Factory factory)
{
    if (!m_order.contains(command))
        m_order.append(command);
    m_windows[command].factory = std::move(factory);
}

QWidget* WindowTable::showWindow(const QString& command)
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
        windowkeys::addCloseKeys(entry.window.get(), true);
    }
    QWidget* window = entry.window.get();
    windowkeys::present(window);
    return window;
}

QWidget* WindowTable::existingWindow(const QString& command) const
{
    const auto found = m_windows.find(command);
    return found == m_windows.end() ? nullptr : found->second.window.get();
}

void WindowTable::closeWindows()
{
    for (auto& [command, entry] : m_windows)
        if (entry.window)
            entry.window->close();
}
