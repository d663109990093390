#pragma once

#include "platform/RgbaColour.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <optional>

// The per-user key-value store of settings and pick-lists, kept in an INI
// file. Keys are literal strings and may hold spaces and underscores.
//
// Every value is written with a small type tag so that it reads back as the
// same kind of value it was stored as: booleans as booleans, numbers as
// numbers, texts as texts (whatever characters they hold), and lists of
// strings exactly, whatever their length or content.
//
// Above the stored values sits a layer of registered defaults: it lives in
// memory only and answers for a key that holds no stored value of its own.
// A key with neither is absent.
//
// Each write goes to disk at once.
class SettingsStore {
public:
    // Opens the INI file at `iniPath`, creating it (and its folder) when
    // absent.
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The user's own store, in the platform's per-user configuration folder.
    static std::unique_ptr<SettingsStore> userStore();

    // Merges `defaults` into the registered defaults (later registrations of
    // a key replace earlier ones). Never written to disk.
    void registerDefaults(const QVariantMap& defaults);

    // The stored value when the key holds one, else its registered default,
    // else an invalid QVariant.
    QVariant value(const QString& key) const;
    bool hasStoredValue(const QString& key) const;

    // Typed reads. Absent keys give false, 0, a null string, an empty list
    // or no colour. Numeric text ("3", "0.5") is read as its leading number
    // with '.' as the decimal point.
    bool boolValue(const QString& key) const;
    int intValue(const QString& key) const;
    double doubleValue(const QString& key) const;
    QString stringValue(const QString& key) const;
    QStringList stringListValue(const QString& key) const;
    std::optional<RgbaColour> colourValue(const QString& key) const;

    // Writes. An invalid QVariant removes the stored value.
    void setValue(const QString& key, const QVariant& value);
    void setStringList(const QString& key, const QStringList& list);
    void setColour(const QString& key, const RgbaColour& colour);
    void remove(const QString& key);
    // Flushes to disk; true when the file could be written.
    bool sync();

    QString fileName() const;

private:
    QVariant storedValue(const QString& key) const;

    QSettings m_settings;
    QVariantMap m_defaults;
};
