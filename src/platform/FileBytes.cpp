#include "platform/FileBytes.h"

#include "platform/LargePages.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
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

} // namespace

bool FileBytes::open(const QString& path, QString* error)
{
    m_bytes.clear();
    if (QFileInfo(path).isDir())
        return fail(error, QStringLiteral("is a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const qint64 size = file.size();
    if (size > kMaxBytes)
        return fail(error, QStringLiteral("is too large to be a document (%1 bytes)").arg(size));
    QByteArray bytes(size, Qt::Uninitialized);
    preferLargePages(bytes.data(), size);
    const int fd = file.handle();
    const qint64 got = readWhole(fd, bytes.data(), size);
    if (got < 0)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
    char more = 0;
    if (got != size || readAt(fd, &more, size, 1) != 0)
        return fail(error, QStringLiteral("the file changed while it was being read"));
    m_bytes = std::move(bytes);
    return true;
}
