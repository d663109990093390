#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <thread>

class FileArrival;

// The whole content of a file, read into memory at open(): what another
// program does to the file afterwards (truncating or rewriting it in place)
// cannot reach the bytes being decoded. A file that changes size while it
// is read is refused.
class FileBytes {
public:
    // Larger files are refused before anything is read.
    static constexpr qint64 kMaxBytes = qint64(4) << 30;

    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool open(const QString& path, QString* error);
    // The same checks, then the file is read by a second thread, front to
    // back, while the caller goes on with the bytes already in (see
    // arrival()). A file of less than kArrivingFrom bytes is read whole here.
    bool openArriving(const QString& path, QString* error);
    static constexpr qint64 kArrivingFrom = qint64(16) << 20;

    // The file's bytes; while they arrive, only the first arrival()->arrived().
    QByteArrayView bytes() const { return m_bytes; }
    // The same bytes, for a reader that keeps a share of them.
    const QByteArray& data() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }
    // How far the bytes have come; null once open() or openArriving() read
    // them whole.
    const FileArrival* arrival() const { return m_arrival.get(); }
    // Waits for every byte; false, with the reason, when the file could not
    // be read whole.
    bool waitWhole(QString* error) const;

private:
    bool prepare(const QString& path, QString* error, int* fd);
    bool readHere(int fd, QString* error);
    void stopArriving();

    QByteArray m_bytes;
    std::shared_ptr<FileArrival> m_arrival;
    std::thread m_reader;
};
