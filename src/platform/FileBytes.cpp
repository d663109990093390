#include "platform/FileBytes.h"

#include "platform/FileArrival.h"
#include "platform/LargePages.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// Reads up to `size` bytes from `offset`; fewer when the file ends sooner,
// -1 with errno set on failure.
qint64 readAt(int fd, char* out, qint64 offset, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, out + got, size_t(size - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// Reads `size` bytes into `out`. Most of the time of reading a big file
// goes to the system preparing fresh memory for it, page by page, so a big
// file is read in two halves at once, one by a second thread: both cores
// prepare memory. Returns the bytes read, -1 on failure.
qint64 readWhole(int fd, char* out, qint64 size)
{
    constexpr qint64 kSplitFrom = qint64(16) << 20;
    if (size < kSplitFrom)
        return readAt(fd, out, 0, size);
    // Split on a large page, so that each thread prepares its own pages.
    const qint64 half = (size / 2) & ~((qint64(2) << 20) - 1);
    qint64 second = 0;
    int secondError = 0;
    std::thread other([&] {
        second = readAt(fd, out + half, half, size - half);
        secondError = errno;
    });
    const qint64 first = readAt(fd, out, 0, half);
    const int firstError = errno;
    other.join();
    if (first < 0 || second < 0) {
        errno = first < 0 ? firstError : secondError;
        return -1;
    }
    // A file that shrank while it was read leaves a hole in the first half.
    return first < half ? first : first + second;
}

QString changedMessage() { return QStringLiteral("the file changed while it was being read"); }

// After `size` bytes read, the file must end there.
bool endsAt(int fd, qint64 size)
{
    char more = 0;
    return readAt(fd, &more, size, 1) == 0;
}

// Reads the file front to back in steps, telling each step to `arrival`,
// and closes `fd`.
void readArriving(int fd, char* out, qint64 size, FileArrival& arrival)
{
    constexpr qint64 kStep = qint64(1) << 20;
    QString error;
    qint64 got = 0;
    while (got < size && !arrival.stopRequested()) {
        const qint64 want = std::min(kStep, size - got);
        const qint64 n = readAt(fd, out + got, got, want);
        if (n < 0) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        got += n;
        if (n < want) {
            error = changedMessage();
            break;
        }
        arrival.arrive(got);
    }
    if (error.isEmpty() && got < size)
        error = QStringLiteral("the reading was stopped");
    if (error.isEmpty() && !endsAt(fd, size))
        error = changedMessage();
    ::close(fd);
    arrival.end(error);
}

} // namespace

FileBytes::~FileBytes() { stopArriving(); }

void FileBytes::stopArriving()
{
    if (m_arrival)
        m_arrival->requestStop();
    if (m_reader.joinable())
        m_reader.join();
}

// Opens the file (its own descriptor in `fd`, for the caller to close),
// checks its size and makes room for its bytes in m_bytes.
bool FileBytes::prepare(const QString& path, QString* error, int* fd)
{
    stopArriving();
    m_arrival.reset();
    m_bytes.clear();
    if (QFileInfo(path).isDir())
        return fail(error, QStringLiteral("is a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const qint64 size = file.size();
    if (size > kMaxBytes)
        return fail(error, QStringLiteral("is too large to be a document (%1 bytes)").arg(size));
    *fd = ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
    if (*fd < 0)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    m_bytes = QByteArray(size, Qt::Uninitialized);
    preferLargePages(m_bytes.data(), size);
    return true;
}

bool FileBytes::open(const QString& path, QString* error)
{
    int fd = -1;
    return prepare(path, error, &fd) && readHere(fd, error);
}

// Reads the whole file into m_bytes, and closes `fd`.
bool FileBytes::readHere(int fd, QString* error)
{
    const qint64 size = m_bytes.size();
    const qint64 got = readWhole(fd, m_bytes.data(), size);
    const int readError = errno;
    const bool whole = got == size && endsAt(fd, size);
    ::close(fd);
    if (whole)
        return true;
    m_bytes.clear();
    return fail(error, got < 0 ? QString::fromLocal8Bit(std::strerror(readError)) : changedMessage());
}

bool FileBytes::openArriving(const QString& path, QString* error)
{
    int fd = -1;
    if (!prepare(path, error, &fd))
        return false;
    const qint64 size = m_bytes.size();
    if (size >= kArrivingFrom) {
        auto arrival = std::make_shared<FileArrival>(size);
        // The thread writes through this pointer, taken while the buffer is
        // not shared; the arrival says which bytes are in.
        char* out = m_bytes.data();
        try {
            m_reader = std::thread([fd, out, size, arrival] { readArriving(fd, out, size, *arrival); });
            m_arrival = std::move(arrival);
            return true;
        } catch (const std::system_error&) {
            // No thread to spare: read here.
        }
    }
    return readHere(fd, error);
}

bool FileBytes::waitWhole(QString* error) const
{
    if (!m_arrival || m_arrival->waitWhole())
        return true;
    return fail(error, m_arrival->error());
}
