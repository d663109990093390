#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// The bytes of a file, mapped into memory when the system allows (no copy
// of a large logbook), read otherwise. Valid while the object lives.
class FileBytes {
public:
    bool open(const QString& path, QString* error);
    QByteArrayView bytes() const { return m_view; }
    qint64 size() const { return m_view.size(); }

private:
    QFile m_file;
    QByteArray m_owned;
    QByteArrayView m_view;
};
