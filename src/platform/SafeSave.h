#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The outcome of a save: `error` is one readable sentence when `ok` is false.
struct SaveResult {
    bool ok = false;
    QString error;
};

// Replaces the file at `path` by `bytes` in one step: the bytes go to a
// temporary file beside it, which is flushed to disk and renamed over the
// old file, and the folder is then flushed so the rename itself survives a
// crash. On any failure the old file is left as it was.
SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes);

// The whole content of the file at `path`, or nothing with `*error` (when
// given) saying why.
std::optional<QByteArray> readWholeFile(const QString& path, QString* error);
