#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The documents opened lately, most recent first, kept in the settings store
// as a list of absolute file paths. Every change is written back at once.
class RecentDocuments {
public:
    static constexpr int kMaxEntries = 10;
    static QString settingsKey(); // "recent documents"

    explicit RecentDocuments(SettingsStore& store);

    // The entries, most recent first: absolute, without blanks or repeats,
    // at most kMaxEntries, whatever the store was left holding.
    QStringList list() const;
    QString mostRecent() const;

    // Puts the path first (moving it there when already listed) and drops
    // the oldest entries beyond kMaxEntries. A relative path is made
    // absolute against the working folder; an empty one is ignored.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

    // The form in which paths are listed and compared.
    static QString normalised(const QString& path);

private:
    void store(const QStringList& entries);

    SettingsStore& m_store;
};
