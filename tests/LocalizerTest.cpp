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

TEST(LocalizerTest, LooksUpByKeyAndTableWithExactFallbacks)
{
    const struct {
        const char *key, *table;
        std::optional<QString> fallback; // none: the default fallback
        QString expected;
    } cases[] = {
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
    for (const auto& c : cases) {
        const QString key = QString::fromLatin1(c.key), table = QString::fromLatin1(c.table);
        EXPECT_EQ(c.fallback ? localizer.text(key, table, *c.fallback) : localizer.text(key, table), c.expected)
            << c.key << " / " << c.table;
    }
}

TEST(LocalizerTest, ReadsTheShippedTranslations)
{
    const struct { const char *language, *key; QString expected; } cases[] = {
        {"en", "Carnet de plongee", QStringLiteral("Dive logbook")},
        {"fr", "Carnet de plongee", QStringLiteral("Carnet de plongée")},
        {"de", "Epaves", QStringLiteral("Wreck repertory")},
        {"", "Budget", QStringLiteral("Budget forecast")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Localizer(QString::fromLatin1(c.language)).text(QString::fromLatin1(c.key), QStringLiteral("Main")), c.expected)
            << c.language << " " << c.key;
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
        const QJsonObject en = english.value(table).toObject(), fr = french.value(table).toObject();
        EXPECT_EQ(en.keys(), fr.keys()) << table.toStdString();
        for (const QString& key : en.keys())
            EXPECT_TRUE(en.value(key).isString() && fr.value(key).isString()) << table.toStdString() << " " << key.toStdString();
    }
}

// Sets the three locale variables for one test and puts them back after.
class LanguageFromEnvironmentTest : public ::testing::Test {
protected:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    void SetUp() override
    {
        for (const char* variable : kVariables)
            m_saved.append(qEnvironmentVariableIsSet(variable) ? std::optional(qgetenv(variable)) : std::nullopt);
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            set(kVariables[i], m_saved.at(i) ? m_saved.at(i)->constData() : nullptr);
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

TEST_F(LanguageFromEnvironmentTest, FirstSetVariableDecides)
{
    const struct { const char *lcAll, *lcMessages, *lang, *expected; } cases[] = {
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
    for (const auto& c : cases) {
        set("LC_ALL", c.lcAll);
        set("LC_MESSAGES", c.lcMessages);
        set("LANG", c.lang);
        EXPECT_EQ(Localizer::languageFromEnvironment(), QString::fromLatin1(c.expected))
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
    }
}

} // namespace
