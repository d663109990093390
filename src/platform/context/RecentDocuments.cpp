#include "platform/context/RecentDocuments.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

QString RecentDocuments::settingsKey() { return QStringLiteral("recent documents"); }

RecentDocuments::RecentDocuments(SettingsStore& store) : m_store(store) {}

QString RecentDocuments::normalised(const QString& path)
{
    if (path.trimmed().isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QStringList RecentDocuments::list() const
{
    QStringList entries;
    for (const QString& stored : m_store.stringListValue(settingsKey())) {
        const QString path = normalised(stored);
        if (path.isEmpty() || entries.contains(path))
            continue;
        entries.append(path);
        if (entries.size() == kMaxEntries)
            break;
    }
    return entries;
}

QString RecentDocuments::mostRecent() const
{
    const QStringList entries = list();
    return entries.isEmpty() ? QString() : entries.first();
}

void RecentDocuments::add(const QString& path)
{
    const QString entry = normalised(path);
    if (entry.isEmpty())
        return;
    QStringList entries = list();
    entries.removeAll(entry);
    entries.prepend(entry);
    while (entries.size() > kMaxEntries)
        entries.removeLast();
    store(entries);
}

void RecentDocuments::remove(const QString& path)
{
    QStringList entries = list();
    if (entries.removeAll(normalised(path)) > 0)
        store(entries);
}

void RecentDocuments::clear() { store({}); }

void RecentDocuments::store(const QStringList& entries) { m_store.setStringList(settingsKey(), entries); }
