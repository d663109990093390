#pragma once

#include <QByteArray>

#include <sys/types.h>

// The system calls a save makes, behind one small interface so that a test
// can make any one of them fail. Each returns what the system call returns
// (-1 with errno set on failure). Paths are in the file system's encoding.
class FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    virtual int open(const QByteArray& path, int flags, mode_t mode) const = 0;
    // Opens a folder for reading, to flush its entries later.
    virtual int openDir(const QByteArray& path) const = 0;
    virtual ssize_t write(int fd, const char* data, size_t size) const = 0;
    // Asks the system to start writing a range of the file to disk now,
    // without waiting; a hint, so the default does nothing.
    virtual void startWriteback(int fd, qint64 offset, qint64 size) const
    {
        (void)fd, (void)offset, (void)size;
    }
    virtual int fchmod(int fd, mode_t mode) const = 0;
    virtual int fsync(int fd) const = 0;
    virtual int close(int fd) const = 0;
    virtual int rename(const QByteArray& from, const QByteArray& to) const = 0;
    virtual int unlink(const QByteArray& path) const = 0;
};
