#include "platform/PosixFileSystemOps.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int PosixFileSystemOps::open(const QByteArray& path, int flags, mode_t mode) const
{
    return ::open(path.constData(), flags, mode);
}

int PosixFileSystemOps::openDir(const QByteArray& path) const
{
    return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ssize_t PosixFileSystemOps::write(int fd, const char* data, size_t size) const { return ::write(fd, data, size); }

void PosixFileSystemOps::startWriteback(int fd, qint64 offset, qint64 size) const
{
    ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
}

int PosixFileSystemOps::fchmod(int fd, mode_t mode) const { return ::fchmod(fd, mode); }

int PosixFileSystemOps::fsync(int fd) const { return ::fsync(fd); }

int PosixFileSystemOps::close(int fd) const { return ::close(fd); }

int PosixFileSystemOps::rename(const QByteArray& from, const QByteArray& to) const
{
    return ::rename(from.constData(), to.constData());
}

int PosixFileSystemOps::unlink(const QByteArray& path) const { return ::unlink(path.constData()); }
