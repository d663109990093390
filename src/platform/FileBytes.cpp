#include "platform/FileBytes.h"

#include <QFileInfo>

bool FileBytes::open(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        if (error)
            *error = QStringLiteral("is a folder, not a file");
        return false;
    }
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    const qint64 size = m_file.size();
    if (uchar* mapped = size > 0 ? m_file.map(0, size) : nullptr) {
        m_view = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
        return true;
    }
    m_owned = m_file.readAll();
    if (m_file.error() != QFileDevice::NoError) {
        if (error)
            *error = m_file.errorString();
        return false;
    }
    m_view = m_owned;
    return true;
}
