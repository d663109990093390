#pragma once

#include "platform/PosixFileSystemOps.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// The outcome of a save. `ok`: the file now holds the new bytes. `durable`:
// the rename that put them there has reached the disk too. `error` is one
// readable sentence: why the save failed (the old file is as it was), or,
// for a save that is ok but not durable, what the user must be warned of.
struct SaveResult {
    bool ok = false;
    bool durable = false;
    QString error;
};

// Replaces the file at `path` by `bytes` in one step: the bytes go to a new
// temporary file beside it (with the old file's permissions), which is
// flushed to disk and renamed over the old file; the folder, opened before
// the rename, is then flushed so that the rename itself survives a crash. A
// symbolic link is kept: the file it points to is replaced. On any failure
// before the rename the old file is left as it was and the temporary file
// is removed.
SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes,
                              const FileSystemOps& ops = PosixFileSystemOps());

// Makes a file's content while it is written: hands its pieces, in order,
// to `sink` (which returns false when the file cannot take them, and the
// maker then stops) and returns the last piece, or why the content cannot
// be made.
using ContentMaker = std::function<Result<QByteArray>(const std::function<bool(QByteArrayView)>& sink)>;

// saveFileAtomically() for content made as it is written, so that a big
// document is never whole in memory. Content that cannot be made replaces
// nothing; the result then gives the maker's reason as it stands.
SaveResult saveContentAtomically(const QString& path, const ContentMaker& make,
                                 const FileSystemOps& ops = PosixFileSystemOps());

// The file a save of `path` replaces: symbolic links followed to the file
// they point to (which may not exist yet), as an absolute path.
QString saveTargetOf(const QString& path);

// The whole content of the file at `path`, or nothing with `*error` (when
// given) saying why.
std::optional<QByteArray> readWholeFile(const QString& path, QString* error);
