#include "platform/Localizer.h"

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <optional>

namespace {

Localizer sampleLocalizer()
{
    Localizer::Tables tables;
    tables[QStringLiteral("Main")] = {{QStringLiteral("Yes"), QStringLiteral("Oui")},
                                      {QStringLiteral("Blank"), QStringLiteral("")}};
    tables[QStringLiteral("Epaves")] = {{QStringLiteral("Yes"), QStringLiteral("Ja")}};
    return Localizer::fromTables(tables);
}

struct LookupCase {
    const char* key;
    const char* table;
    std::optional<QString> fallback; // none: the default fallback
    QString expected;
};

TEST(LocalizerTest, LooksUpByKeyAndTableWithExactFallbacks)
{
    const QList<LookupCase> cases = {
        {"Yes", "Main", std::nullopt, QStringLiteral("Oui")},
        {"Yes", "Epaves", std::nullopt, QStringLiteral("Ja")},
        {"Blank", "Main", std::nullopt, QStringLiteral("")},
        {"No", "Main", std::nullopt, QStringLiteral("error !")},
        {"Yes", "Carnet", std::nullopt, QStringLiteral("error !")},
        {"yes", "Main", std::nullopt, QStringLiteral("error !")},
        {"Yes", "main", std::nullopt, QStringLiteral("error !")},
        {"No", "Main", QStringLiteral("\r\rerror ! "), QStringLiteral("\r\rerror ! ")},
        {"No", "Profil", QStringLiteral("N/A"), QStringLiteral("N/A")},
        {"Yes", "Main", QStringLiteral("N/A"), QStringLiteral("Oui")},
    };
    const Localizer localizer = sampleLocalizer();
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " / " + c.table);
        const QString key = QString::fromLatin1(c.key);
        const QString table = QString::fromLatin1(c.table);
        const QString text = c.fallback ? localizer.text(key, table, *c.fallback)
                                        : localizer.text(key, table);
        EXPECT_EQ(text, c.expected);
    }
}

struct ResourceCase {
    const char* language;
    const char* key;
    QString expected;
};

TEST(LocalizerTest, ReadsTheShippedTranslations)
{
    const QList<ResourceCase> cases = {
        {"en", "Carnet de plongee", QStringLiteral("Dive logbook")},
        {"fr", "Carnet de plongee", QStringLiteral("Carnet de plongée")},
        {"de", "Epaves", QStringLiteral("Wreck repertory")},
        {"", "Budget", QStringLiteral("Budget forecast")},
    };
    for (const ResourceCase& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.key);
        const Localizer localizer(QString::fromLatin1(c.language));
        EXPECT_EQ(localizer.text(QString::fromLatin1(c.key), QStringLiteral("Main")), c.expected);
    }
    EXPECT_EQ(Localizer(QStringLiteral("fr")).language(), QStringLiteral("fr"));
    EXPECT_EQ(Localizer(QStringLiteral("de")).language(), QStringLiteral("en"));
}

QJsonObject readTranslations(const QString& resource)
{
    QFile file(resource);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << resource.toStdString();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << resource.toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

TEST(LocalizerTest, BothLanguagesHoldTheSameKeys)
{
    const QJsonObject english = readTranslations(QStringLiteral(":/i18n/en.json"));
    const QJsonObject french = readTranslations(QStringLiteral(":/i18n/fr.json"));
    EXPECT_EQ(english.keys(), french.keys()); // QJsonObject keys come sorted
    for (const QString& table : english.keys()) {
        SCOPED_TRACE(table.toStdString());
        const QStringList enKeys = english.value(table).toObject().keys();
        const QStringList frKeys = french.value(table).toObject().keys();
        EXPECT_EQ(enKeys, frKeys);
        for (const QString& key : enKeys) {
            EXPECT_TRUE(english.value(table).toObject().value(key).isString()) << key.toStdString();
            EXPECT_TRUE(french.value(table).toObject().value(key).isString()) << key.toStdString();
        }
    }
}

// Sets the three locale variables for one test and puts them back after.
class LanguageFromEnvironmentTest : public ::testing::Test {
protected:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

    void SetUp() override
    {
        for (const char* variable : kVariables)
            m_saved.append(qEnvironmentVariableIsSet(variable)
                               ? std::optional<QByteArray>(qgetenv(variable))
                               : std::nullopt);
    }

    void TearDown() override
    {
        for (int i = 0; i < m_saved.size(); ++i) {
            if (m_saved.at(i))
                qputenv(kVariables[i], *m_saved.at(i));
            else
                qunsetenv(kVariables[i]);
        }
    }

    static void set(const char* variable, const char* value)
    {
        if (value)
            qputenv(variable, value);
        else
            qunsetenv(variable);
    }

    QList<std::optional<QByteArray>> m_saved;
};

struct EnvironmentCase {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* expected;
};

TEST_F(LanguageFromEnvironmentTest, FirstSetVariableDecides)
{
    const QList<EnvironmentCase> cases = {
        {nullptr, nullptr, nullptr, "en"},
        {nullptr, nullptr, "fr_FR.UTF-8", "fr"},
        {nullptr, nullptr, "fr", "fr"},
        {nullptr, nullptr, "C", "en"},
        {nullptr, nullptr, "en_GB.UTF-8", "en"},
        {nullptr, nullptr, "de_DE.UTF-8", "en"},
        {nullptr, "fr_CA.UTF-8", "en_US.UTF-8", "fr"},
        {nullptr, "C", "fr_FR.UTF-8", "en"},
        {"C", "fr_FR.UTF-8", "fr_FR.UTF-8", "en"},
        {"fr_BE.UTF-8", nullptr, "en_US.UTF-8", "fr"},
        {"", "", "fr_FR.UTF-8", "fr"},
    };
    for (const EnvironmentCase& c : cases) {
        SCOPED_TRACE(std::string(c.lcAll ? c.lcAll : "-") + " " + (c.lcMessages ? c.lcMessages : "-")
                     + " " + (c.lang ? c.lang : "-"));
        set("LC_ALL", c.lcAll);
        set("LC_MESSAGES", c.lcMessages);
        set("LANG", c.lang);
        EXPECT_EQ(Localizer::languageFromEnvironment(), QString::fromLatin1(c.expected));
    }
}

} // namespace
