#include "platform/FileBytes.h"

#include "platform/LargePages.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// Reads up to `size` bytes; fewer when the file ends sooner.
qint64 readUpTo(QFile& file, char* out, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(out + got, size - got);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
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
    const qint64 got = readUpTo(file, bytes.data(), size);
    if (got < 0)
        return fail(error, file.errorString());
    char more = 0;
    if (got != size || file.read(&more, 1) != 0)
        return fail(error, QStringLiteral("the file changed while it was being read"));
    m_bytes = std::move(bytes);
    return true;
}
