#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file reads and plain writes for tests (no atomic replace, so that a
// test sees exactly the bytes it put there).
inline QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
