#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The whole content of a file, read into memory at open(): what another
// program does to the file afterwards (truncating or rewriting it in place)
// cannot reach the bytes being decoded. A file that changes size while it
// is read is refused.
class FileBytes {
public:
    // Larger files are refused before anything is read.
    static constexpr qint64 kMaxBytes = qint64(4) << 30;

    bool open(const QString& path, QString* error);
    QByteArrayView bytes() const { return m_bytes; }
    // The same bytes, for a reader that keeps a share of them.
    const QByteArray& data() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};
