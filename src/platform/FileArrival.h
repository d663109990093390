#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <mutex>

// How far the bytes of a file have come while another thread reads it,
// front to back, into memory of the file's full size: that thread tells of
// every step (arrive()) and of its end (end()); the readers of the bytes
// wait for those they need. A byte below arrived() is in and stays as it is.
class FileArrival {
public:
    explicit FileArrival(qint64 size) : m_size(size) {}

    qint64 size() const { return m_size; }
    qint64 arrived() const { return m_arrived.load(std::memory_order_acquire); }
    // Waits until the first `count` bytes are in or the reading has ended;
    // returns how many are in.
    qint64 waitFor(qint64 count) const;
    // Waits for the end of the reading; true when the whole file came in,
    // unchanged while it was read.
    bool waitWhole() const;
    // Why the reading ended early, once waitWhole() returned false.
    QString error() const;

    // For the reading thread: the first `count` bytes are in.
    void arrive(qint64 count);
    // For the reading thread: it has ended, early when `error` is not empty.
    void end(const QString& error);
    // Asks the reading thread to end early: nobody needs the rest.
    void requestStop() { m_stop.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }

private:
    const qint64 m_size;
    std::atomic<qint64> m_arrived{0};
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_ended = false; // under m_mutex
    QString m_error;      // under m_mutex
};
