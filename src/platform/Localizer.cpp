#include "platform/Localizer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <utility>

Localizer::Localizer(const QString& language)
    : m_language(language == QLatin1String("fr") ? QStringLiteral("fr") : QStringLiteral("en"))
    , m_tables(loadTables(QStringLiteral(":/i18n/%1.json").arg(m_language)))
{
}

Localizer::Localizer(QString language, Tables tables)
    : m_language(std::move(language))
    , m_tables(std::move(tables))
{
}

Localizer Localizer::fromTables(Tables tables)
{
    return Localizer(QStringLiteral("en"), std::move(tables));
}

QString Localizer::languageFromEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        return value.startsWith(QLatin1String("fr")) ? QStringLiteral("fr")
                                                     : QStringLiteral("en");
    }
    return QStringLiteral("en");
}

QString Localizer::text(const QString& key, const QString& table, const QString& fallback) const
{
    const auto tableIt = m_tables.constFind(table);
    if (tableIt == m_tables.cend())
        return fallback;
    const auto keyIt = tableIt->constFind(key);
    if (keyIt == tableIt->cend())
        return fallback;
    return *keyIt;
}

Localizer::Tables Localizer::loadTables(const QString& resourcePath)
{
    Tables tables;
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return tables;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject root = document.object();
    for (auto tableIt = root.constBegin(); tableIt != root.constEnd(); ++tableIt) {
        const QJsonObject entries = tableIt.value().toObject();
        QHash<QString, QString>& table = tables[tableIt.key()];
        for (auto entryIt = entries.constBegin(); entryIt != entries.constEnd(); ++entryIt) {
            if (entryIt.value().isString())
                table.insert(entryIt.key(), entryIt.value().toString());
        }
    }
    return tables;
}
