#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

class SettingsStore;

// The diver's previous dives, entered once and added to the statistics of
// every logbook unless the statistics window's switch leaves them out. One
// dictionary of whole numbers kept in the settings store under "statistics
// values"; a key that holds no value is not given (it reads as 0 for the
// counters and totals, and takes no part in the temperature extremes).
class StartingValues {
public:
    static const QString& settingsKey(); // "statistics values"

    // The 37 keys, in the order of the edit window: the 29 categories of
    // the statistics ("bio" ... "prof_7"), then the seven summary values.
    static const QList<QString>& keys();
    static const QString kProfMax, kTempsMax, kTemperatureMin, kTemperatureMax, kTotalProfondeur, kTotalTemps,
        kTotalPlongees;

    static StartingValues load(const SettingsStore& settings);
    void store(SettingsStore& settings) const;

    // The stored value of a key; nothing when not given.
    std::optional<qint64> value(const QString& key) const;
    // 0 when not given.
    qint64 count(const QString& key) const { return value(key).value_or(0); }
    void set(const QString& key, std::optional<qint64> value);

    // A value as the diver types it: empty text is "not given"; otherwise a
    // whole number of zero or more (white space around it allowed), at most
    // kMaximum. Anything else is refused with a reason.
    static constexpr qint64 kMaximum = 1'000'000'000;
    struct Parsed {
        bool ok = false;
        std::optional<qint64> value;
        QString reason; // when refused
    };
    static Parsed parse(const QString& text);

private:
    QVariantMap m_values;
};
