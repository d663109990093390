#pragma once

#include "platform/FileSystemOps.h"

// The real file system: each call goes straight to POSIX.
class PosixFileSystemOps final : public FileSystemOps {
public:
    int open(const QByteArray& path, int flags, mode_t mode) const override;
    int openDir(const QByteArray& path) const override;
    ssize_t write(int fd, const char* data, size_t size) const override;
    void startWriteback(int fd, qint64 offset, qint64 size) const override;
    int fchmod(int fd, mode_t mode) const override;
    int fsync(int fd) const override;
    int close(int fd) const override;
    int rename(const QByteArray& from, const QByteArray& to) const override;
    int unlink(const QByteArray& path) const override;
};
