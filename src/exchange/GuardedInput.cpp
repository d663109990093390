#include "exchange/GuardedInput.h"

#include <QIODevice>

#include <cstring>
#include <system_error>

GuardedInput::GuardedInput(QIODevice& device, Reading reading) : m_device(device)
{
    if (reading == Reading::WhenAsked)
        return;
    try {
        m_reader = std::thread([this] { readAhead(); });
    } catch (const std::system_error&) {
        // No thread to spare: each block is read when the parser asks.
    }
}

GuardedInput::~GuardedInput()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

void GuardedInput::end(Stop why, const QString& reason, int line, int column)
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = why;
        m_stopReason = reason;
        m_stopLine = line;
        m_stopColumn = column;
    }
    m_changed.notify_all();
}

bool GuardedInput::handOn(Block block)
{
    std::unique_lock lock(m_mutex);
    if (m_blocks.size() >= kBlocksAhead)
        m_changed.wait(lock, [&] { return m_quit || m_blocks.size() <= kBlocksAhead / 2; });
    if (m_quit)
        return false;
    m_blocks.push_back(std::move(block));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void GuardedInput::readAhead()
{
    while (readBlock()) {
    }
}

bool GuardedInput::readBlock()
{
    QByteArray block;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_spares.empty()) {
            block = std::move(m_spares.back());
            m_spares.pop_back();
        }
    }
    block.resize(kBlockBytes);
    const qint64 n = m_device.read(block.data(), block.size());
    if (n < 0)
        return end(Stop::ReadFailed, m_device.errorString()), false;
    if (n == 0)
        return end(Stop::End, QString()), false;
    block.truncate(n);
    // The parser never gets the bytes of a piece that passes the guard's bounds.
    if (!m_guard.feed(block.constData(), n))
        return end(Stop::Refused, m_guard.reason(), m_guard.line(), m_guard.column()), false;
    return handOn({std::move(block), m_guard.takeStartTags()});
}

qsizetype GuardedInput::read(char* buffer, qsizetype length)
{
    if (m_at == m_current.size()) {
        if (m_taken != Stop::None)
            return 0;
        if (!m_reader.joinable() && m_blocks.empty() && m_stop == Stop::None)
            readBlock();
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_blocks.empty() || m_stop != Stop::None; });
        if (m_blocks.empty()) {
            m_taken = m_stop;
            m_reason = m_stopReason;
            m_line = m_stopLine;
            m_column = m_stopColumn;
            return 0;
        }
        if (m_current.capacity() >= kBlockBytes && m_spares.size() < kBlocksAhead)
            m_spares.push_back(std::move(m_current));
        m_current = std::move(m_blocks.front().bytes);
        if (!m_blocks.front().startTags.empty())
            m_startTags.push_back(std::move(m_blocks.front().startTags));
        m_blocks.pop_front();
        m_at = 0;
        const bool room = m_blocks.size() == kBlocksAhead / 2;
        lock.unlock();
        if (room)
            m_changed.notify_all();
    }
    const qsizetype n = std::min(length, m_current.size() - m_at);
    std::memcpy(buffer, m_current.constData() + m_at, size_t(n));
    m_at += n;
    return n;
}

bool GuardedInput::nextStartTags()
{
    if (m_startTagAt) { // those of the first block are all taken
        m_startTags.pop_front();
        m_startTagAt = m_startTagEnd = nullptr;
    }
    if (m_startTags.empty())
        return false;
    m_startTagAt = m_startTags.front().data();
    m_startTagEnd = m_startTagAt + m_startTags.front().size();
    return true;
}
