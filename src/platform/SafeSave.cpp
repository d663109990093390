#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A step of the save that failed, and the errno it failed with.
struct StepFailure {
    const char* step;
    int error;
};

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

SaveResult failure(const QString& path, const QString& reason)
{
    return SaveResult{false, false, QStringLiteral("cannot write %1: %2").arg(path, reason)};
}

SaveResult failure(const QString& path, const StepFailure& f)
{
    return failure(path, QStringLiteral("%1: %2").arg(QLatin1String(f.step), systemReason(f.error)));
}

// Writes a file's content piece by piece, going on after interrupted and
// partial writes. A big file goes a few megabytes at a time, each handed to
// the disk once written: the disk works while the rest is written, and the
// flush that follows has little left to wait for.
class ContentWriter {
public:
    ContentWriter(const FileSystemOps& ops, int fd) : m_ops(ops), m_fd(fd) {}

    std::optional<StepFailure> write(QByteArrayView piece)
    {
        constexpr qsizetype kChunk = qsizetype(4) << 20;
        const char* data = piece.data();
        qsizetype left = piece.size();
        while (left > 0) {
            const ssize_t written = m_ops.write(m_fd, data, size_t(std::min(left, kChunk)));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return StepFailure{"writing the temporary file", written < 0 ? errno : EIO};
            data += written;
            left -= written;
            m_done += written;
            if (m_done - m_handed >= kChunk) {
                m_ops.startWriteback(m_fd, m_handed, m_done - m_handed);
                m_handed = m_done;
            }
        }
        return std::nullopt;
    }

    // Hands the rest to the disk.
    void finish()
    {
        if (m_done > m_handed)
            m_ops.startWriteback(m_fd, m_handed, m_done - m_handed);
        m_handed = m_done;
    }

private:
    const FileSystemOps& m_ops;
    int m_fd;
    qint64 m_done = 0;
    qint64 m_handed = 0;
};

// Writes the whole content into the open file.
using ContentFill = std::function<std::optional<StepFailure>(int fd)>;

// Creates a file no other has the name of, beside `target`, for writing
// only: the descriptor, or -1 with errno set.
int createTemporary(const FileSystemOps& ops, const QString& target, mode_t mode, QByteArray* temporary)
{
    const QFileInfo info(target);
    const QString stem = QStringLiteral("%1/.%2.save-").arg(info.absolutePath(), info.fileName().left(100));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const quint64 suffix = QRandomGenerator::system()->generate64();
        *temporary = QFile::encodeName(stem + QString::number(suffix, 36));
        const int fd = ops.open(*temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Fills the open temporary file and closes it; the mode of the old file,
// when there is one, is given to it exactly (whatever the umask).
std::optional<StepFailure> fillTemporary(const FileSystemOps& ops, int fd, const ContentFill& fill,
                                         std::optional<mode_t> oldMode)
{
    std::optional<StepFailure> failed;
    if (oldMode && ops.fchmod(fd, *oldMode) != 0)
        failed = StepFailure{"giving the temporary file the permissions of the old one", errno};
    if (!failed)
        failed = fill(fd);
    if (!failed && ops.fsync(fd) != 0)
        failed = StepFailure{"flushing the temporary file to disk", errno};
    // A file system may report a failed write only when the file is closed.
    if (ops.close(fd) != 0 && !failed)
        failed = StepFailure{"closing the temporary file", errno};
    return failed;
}

// Writes the temporary file and renames it over `target`; on failure the
// temporary file is removed.
std::optional<StepFailure> replace(const FileSystemOps& ops, const QString& target, const ContentFill& fill,
                                   std::optional<mode_t> oldMode)
{
    QByteArray temporary;
    const int fd = createTemporary(ops, target, oldMode.value_or(0666) & 0666, &temporary);
    if (fd < 0)
        return StepFailure{"creating the temporary file", errno};
    std::optional<StepFailure> failed = fillTemporary(ops, fd, fill, oldMode);
    if (!failed && ops.rename(temporary, QFile::encodeName(target)) != 0)
        failed = StepFailure{"renaming the temporary file over it", errno};
    if (failed)
        ops.unlink(temporary);
    return failed;
}

// Flushes the folder's entries, so that the rename stays done after a
// crash; file systems that cannot flush a folder count as done.
std::optional<int> flushFolder(const FileSystemOps& ops, int folderFd)
{
    std::optional<int> failed;
    if (ops.fsync(folderFd) != 0 && errno != EINVAL && errno != ENOTSUP)
        failed = errno;
    ops.close(folderFd);
    return failed;
}

} // namespace

QString saveTargetOf(const QString& path)
{
    QFileInfo info(path);
    // Bounded as the system bounds the links it follows in one path.
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

static SaveResult saveWith(const QString& path, const FileSystemOps& ops, const ContentFill& fill)
{
    const QString target = saveTargetOf(path);
    struct stat old {};
    std::optional<mode_t> oldMode;
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return failure(path, systemReason(EISDIR));
        oldMode = old.st_mode & 07777;
    }
    // The folder is opened first: once the old file is replaced, the save
    // can no longer fail, only fall short of being durable.
    const int folderFd = ops.openDir(QFile::encodeName(QFileInfo(target).absolutePath()));
    if (folderFd < 0)
        return failure(path, StepFailure{"opening the folder", errno});
    if (const auto failed = replace(ops, target, fill, oldMode)) {
        ops.close(folderFd);
        return failure(path, *failed);
    }
    if (const auto error = flushFolder(ops, folderFd))
        return SaveResult{true, false,
                          QStringLiteral("saved %1, but the folder could not be flushed: %2").arg(path, systemReason(*error))};
    return SaveResult{true, true, QString()};
}

SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes, const FileSystemOps& ops)
{
    return saveWith(path, ops, [&](int fd) {
        ContentWriter out(ops, fd);
        auto failed = out.write(bytes);
        out.finish();
        return failed;
    });
}

SaveResult saveContentAtomically(const QString& path, const ContentMaker& make, const FileSystemOps& ops)
{
    std::optional<QString> unmade;
    const SaveResult saved = saveWith(path, ops, [&](int fd) -> std::optional<StepFailure> {
        ContentWriter out(ops, fd);
        std::optional<StepFailure> failed;
        const Result<QByteArray> last = make([&](QByteArrayView piece) {
            failed = out.write(piece);
            return !failed;
        });
        if (failed)
            return failed;
        if (!last) {
            unmade = last.error();
            return StepFailure{"making the content", 0};
        }
        failed = out.write(*last);
        out.finish();
        return failed;
    });
    if (unmade)
        return SaveResult{false, false, *unmade};
    return saved;
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
