#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

SaveResult failure(const QString& what, const QString& path, const QString& reason)
{
    return SaveResult{false, QStringLiteral("%1 %2: %3").arg(what, path, reason)};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Flushes a folder's entries to disk, so a file renamed into it stays
// renamed after a crash. Returns 0 or the errno of the failure; filesystems
// that cannot flush a folder count as success.
int syncFolder(const QString& folder)
{
    const QByteArray native = QFile::encodeName(folder);
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int result = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        result = errno;
    ::close(fd);
    return result;
}

// Why a file operation failed: Qt's description when it has one, else the
// system's description of `savedErrno` (Qt reports some failed flushes only
// as "Unknown error").
QString reasonFor(const QFileDevice& file, int savedErrno)
{
    const QString described = file.errorString();
    if (!described.isEmpty() && described != QLatin1String("Unknown error"))
        return described;
    if (savedErrno != 0)
        return systemReason(savedErrno);
    return QStringLiteral("the data could not be written");
}

} // namespace

SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists())
        return failure(QStringLiteral("cannot write"), path, systemReason(ENOENT));
    if (!folderInfo.isDir())
        return failure(QStringLiteral("cannot write"), path, systemReason(ENOTDIR));
    if (info.isDir())
        return failure(QStringLiteral("cannot write"), path, systemReason(EISDIR));

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure(QStringLiteral("cannot write"), path, reasonFor(file, errno));
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonFor(file, errno);
        file.cancelWriting();
        return failure(QStringLiteral("cannot write"), path, reason);
    }
    errno = 0;
    if (!file.commit())
        return failure(QStringLiteral("cannot write"), path, reasonFor(file, errno));

    if (const int error = syncFolder(folder); error != 0)
        return failure(QStringLiteral("cannot flush the folder of"), path, systemReason(error));
    return SaveResult{true, QString()};
}

std::optional<QByteArray> readWholeFile(const QString& path, QString* error)
{
    const auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, reason);
        return std::nullopt;
    };
    if (QFileInfo(path).isDir())
        return fail(systemReason(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (error)
        error->clear();
    return bytes;
}
