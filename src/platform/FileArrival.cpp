#include "platform/FileArrival.h"

qint64 FileArrival::waitFor(qint64 count) const
{
    const qint64 now = arrived();
    if (now >= count)
        return now;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_ended || arrived() >= count; });
    return arrived();
}

bool FileArrival::waitWhole() const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_ended; });
    return m_error.isEmpty();
}

QString FileArrival::error() const
{
    const std::lock_guard lock(m_mutex);
    return m_error;
}

void FileArrival::arrive(qint64 count)
{
    {
        const std::lock_guard lock(m_mutex);
        m_arrived.store(count, std::memory_order_release);
    }
    m_changed.notify_all();
}

void FileArrival::end(const QString& error)
{
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        m_error = error;
    }
    m_changed.notify_all();
}
