#pragma once

#include "exchange/XmlMarkupGuard.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class QIODevice;

// How the device is read and parsed: ahead, on threads of their own, or
// only when the next piece is asked for, on the asking thread (for a look
// at the first bytes, where starting threads costs more than the reading).
enum class Reading { Ahead, WhenAsked };

// The bytes of an XML document on their way to the parser, read from the
// device and passed through the markup guard by a second thread, a few
// blocks ahead of the parser: the parser's thread only parses. Blocks
// before a refused piece come through; the refused block never does. The
// device belongs to that thread while this input lives.
class GuardedInput {
public:
    // The reading thread stays at most kBlocksAhead blocks of kBlockBytes
    // ahead of the parser; once that far, it waits until half of them are
    // taken (each wait and wake costs more than a few blocks of reading).
    static constexpr qsizetype kBlockBytes = qsizetype(1) << 18;
    static constexpr size_t kBlocksAhead = 8;

    explicit GuardedInput(QIODevice& device, Reading reading = Reading::Ahead);
    ~GuardedInput();
    GuardedInput(const GuardedInput&) = delete;
    GuardedInput& operator=(const GuardedInput&) = delete;

    enum class Stop { None, End, ReadFailed, Refused };
    // Copies up to `length` of the next bytes into `buffer`; returns how
    // many, 0 once the input has stopped (stop() says why).
    qsizetype read(char* buffer, qsizetype length);
    Stop stop() const { return m_taken; }
    // Of a failed read, the device's reason; of a refusal, the guard's
    // reason and the place where the refused piece begins.
    const QString& reason() const { return m_reason; }
    int line() const { return m_line; }
    int column() const { return m_column; }
    // The next start tag of the bytes read, in document order (see
    // XmlMarkupGuard::takeStartTags); false when none is left.
    bool nextStartTag(XmlMarkupGuard::StartTag* tag)
    {
        if (m_startTagAt == m_startTagEnd && !nextStartTags())
            return false;
        *tag = *m_startTagAt++;
        return true;
    }

private:
    void readAhead();
    // Reads, guards and hands on the next block; false once the input has
    // stopped or nobody wants more.
    bool readBlock();
    // For the reading thread: hands on a block, waiting for room.
    struct Block {
        QByteArray bytes;
        std::vector<XmlMarkupGuard::StartTag> startTags;
    };
    bool handOn(Block block);
    void end(Stop why, const QString& reason, int line = 0, int column = 0);
    // Moves on to the start tags of the next block taken; false when none wait.
    bool nextStartTags();

    QIODevice& m_device;
    XmlMarkupGuard m_guard; // the reading thread's

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_blocks; // under m_mutex, as the six below
    // Blocks the parser is done with, to be read into again: fresh memory
    // costs a page fault every few kilobytes.
    std::vector<QByteArray> m_spares;
    Stop m_stop = Stop::None;
    bool m_quit = false;
    QString m_stopReason;
    int m_stopLine = 0, m_stopColumn = 0;

    // The parser's side.
    QByteArray m_current;
    qsizetype m_at = 0;
    // The start tags of the blocks taken that nobody asked for yet; the
    // next and the end of those of the first block.
    std::deque<std::vector<XmlMarkupGuard::StartTag>> m_startTags;
    const XmlMarkupGuard::StartTag* m_startTagAt = nullptr;
    const XmlMarkupGuard::StartTag* m_startTagEnd = nullptr;
    Stop m_taken = Stop::None;
    QString m_reason;
    int m_line = 0, m_column = 0;

    std::thread m_reader; // last: started once everything above is ready
};
