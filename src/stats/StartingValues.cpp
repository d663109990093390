#include "stats/StartingValues.h"

#include "platform/SettingsStore.h"

const QString StartingValues::kProfMax = QStringLiteral("prof max");
const QString StartingValues::kTempsMax = QStringLiteral("temps max");
const QString StartingValues::kTemperatureMin = QStringLiteral("temperature min");
const QString StartingValues::kTemperatureMax = QStringLiteral("temperature max");
const QString StartingValues::kTotalProfondeur = QStringLiteral("total profondeur");
const QString StartingValues::kTotalTemps = QStringLiteral("total temps");
const QString StartingValues::kTotalPlongees = QStringLiteral("total plongees");

const QString& StartingValues::settingsKey()
{
    static const QString key = QStringLiteral("statistics values");
    return key;
}

const QList<QString>& StartingValues::keys()
{
    static const QList<QString> all = {
        QStringLiteral("bio"),       QStringLiteral("carriere"),  QStringLiteral("derivante"),
        QStringLiteral("epaves"),    QStringLiteral("explo"),     QStringLiteral("formation"),
        QStringLiteral("nocturne"),  QStringLiteral("photo"),     QStringLiteral("recuperation"),
        QStringLiteral("glace"),     QStringLiteral("speleo"),    QStringLiteral("tek"),
        QStringLiteral("travail"),   QStringLiteral("video"),     QStringLiteral("autre"),
        QStringLiteral("co"),        QStringLiteral("scr"),       QStringLiteral("ccr"),
        QStringLiteral("air"),       QStringLiteral("nitrox"),    QStringLiteral("trimix"),
        QStringLiteral("heliox"),    QStringLiteral("prof_1"),    QStringLiteral("prof_2"),
        QStringLiteral("prof_3"),    QStringLiteral("prof_4"),    QStringLiteral("prof_5"),
        QStringLiteral("prof_6"),    QStringLiteral("prof_7"),    kProfMax,
        kTempsMax,                   kTemperatureMin,             kTemperatureMax,
        kTotalProfondeur,            kTotalTemps,                 kTotalPlongees};
    return all;
}

StartingValues StartingValues::load(const SettingsStore& settings)
{
    StartingValues values;
    const QVariantMap stored = settings.value(settingsKey()).toMap();
    // Only whole numbers of zero or more are taken; a value written by
    // hand into the file that is anything else is not given.
    for (const QString& key : keys()) {
        const auto it = stored.constFind(key);
        if (it == stored.cend())
            continue;
        const Parsed parsed = parse(it->toString());
        if (parsed.ok && parsed.value)
            values.m_values.insert(key, *parsed.value);
    }
    return values;
}

void StartingValues::store(SettingsStore& settings) const
{
    settings.setValue(settingsKey(), m_values);
}

std::optional<qint64> StartingValues::value(const QString& key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.cend())
        return std::nullopt;
    return it->toLongLong();
}

void StartingValues::set(const QString& key, std::optional<qint64> value)
{
    if (value)
        m_values.insert(key, *value);
    else
        m_values.remove(key);
}

StartingValues::Parsed StartingValues::parse(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {true, std::nullopt, {}};
    bool digits = true;
    for (const QChar c : t)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits)
        return {false, std::nullopt, QStringLiteral("\"%1\" is not a whole number of zero or more").arg(text)};
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok || v > kMaximum)
        return {false, std::nullopt, QStringLiteral("\"%1\" is above %2").arg(text).arg(kMaximum)};
    return {true, v, {}};
}
