#include "logbook/LogbookToolbar.h"
#include "platform/Localizer.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

QStringList ids(const char* list) { return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts); }
std::string joined(const QStringList& list) { return list.join(QLatin1Char(',')).toStdString(); }

} // namespace

TEST(LogbookToolbarTest, EveryDefaultItemIsOfferedAndKnown)
{
    for (const QString& id : {LogbookToolbar::listToolbarId, LogbookToolbar::editToolbarId}) {
        const LogbookToolbar toolbar(id);
        for (const QString& item : toolbar.defaultItems())
            EXPECT_TRUE(toolbar.isAllowed(item)) << id.toStdString() << " cannot put back " << item.toStdString();
        for (const QString& item : toolbar.allowedItems())
            EXPECT_NE(LogbookToolbar::item(item), nullptr) << item.toStdString();
    }
    EXPECT_EQ(LogbookToolbar::item(QStringLiteral("printLogbook")), nullptr);
    EXPECT_EQ(LogbookToolbar::item(QString()), nullptr);
}

TEST(LogbookToolbarTest, ItemsNeedingDivesAreDisabledInAnEmptyLogbook)
{
    const struct { const char* id; bool enabledWhenEmpty; } cases[] = {
        {"imprimer", false},     {"insertDive", false},   {"updateDive", false},  {"deleteDive", false},
        {"profil", false},       {"profilData", false},   {"synthese", false},    {"statistics", false},
        {"saveDocument", true},  {"newDive", true},       {"addDiveToList", true}, {"blankFields", true},
        {"importUDCF", true},    {"importUDDF", true},    {"rechercher", true},   {"customise", true},
        {"separator", true},     {"flexibleSpace", true}, {"somethingElse", true},
    };
    for (const auto& c : cases) {
        const QString id = QLatin1String(c.id);
        EXPECT_EQ(LogbookToolbar::isEnabled(id, 0), c.enabledWhenEmpty) << c.id;
        EXPECT_TRUE(LogbookToolbar::isEnabled(id, 1) && LogbookToolbar::isEnabled(id, 10000)) << c.id;
    }
}

TEST(LogbookToolbarTest, MissingTextsFallBackToEnglish)
{
    const Localizer empty = Localizer::fromTables({});
    for (const LogbookToolbar::Item& item : LogbookToolbar::items()) {
        EXPECT_FALSE(LogbookToolbar::label(item, empty).isEmpty()) << item.id;
        EXPECT_NE(LogbookToolbar::label(item, empty), QStringLiteral("error !")) << item.id;
        EXPECT_EQ(LogbookToolbar::tooltip(item, empty).isEmpty(), !*item.tooltipKey) << item.id;
    }
}

class LogbookToolbarSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString iniPath() const { return dir.filePath(QStringLiteral("settings.ini")); }
};

TEST_F(LogbookToolbarSettingsTest, StoredSetsAreCleaned)
{
    const struct { const char* toolbar; std::optional<QStringList> stored; QStringList shown; } cases[] = {
        {"tableViewToolbar", std::nullopt, LogbookToolbar(LogbookToolbar::listToolbarId).defaultItems()},
        {"editWindowToolbar", std::nullopt, LogbookToolbar(LogbookToolbar::editToolbarId).defaultItems()},
        {"tableViewToolbar", QStringList(), QStringList()},
        {"tableViewToolbar", ids("rechercher,imprimer,bogus,imprimer,separator,separator"), ids("rechercher,imprimer,separator,separator")},
        // Items of the other toolbar are not offered here.
        {"editWindowToolbar", ids("saveDocument,importUDDF,rechercher,space,space,customise,customise"), ids("importUDDF,space,space,customise")},
        {"tableViewToolbar", ids("addDiveToList,newDive"), ids("newDive")},
    };
    for (const auto& c : cases) {
        SettingsStore settings(iniPath());
        const LogbookToolbar toolbar{QLatin1String(c.toolbar)};
        settings.remove(toolbar.settingsKey());
        if (c.stored)
            settings.setStringList(toolbar.settingsKey(), *c.stored);
        EXPECT_EQ(joined(toolbar.configuration(settings)), joined(c.shown))
            << c.toolbar << " " << joined(c.stored.value_or(QStringList()));
    }
}

TEST_F(LogbookToolbarSettingsTest, TheChoiceIsKeptPerToolbarAndTheDefaultsComeBack)
{
    const LogbookToolbar list(LogbookToolbar::listToolbarId);
    const LogbookToolbar edit(LogbookToolbar::editToolbarId);
    EXPECT_EQ(list.settingsKey(), QStringLiteral("toolbar tableViewToolbar"));
    EXPECT_EQ(edit.settingsKey(), QStringLiteral("toolbar editWindowToolbar"));
    {
        SettingsStore settings(iniPath());
        edit.setConfiguration(settings, ids("addDiveToList,updateDive"));
        list.setConfiguration(settings, ids("rechercher,bogus"));
    }
    {
        // Read back from the file by another store.
        SettingsStore settings(iniPath());
        EXPECT_EQ(joined(edit.configuration(settings)), "addDiveToList,updateDive");
        EXPECT_EQ(joined(list.configuration(settings)), "rechercher");
        edit.restoreDefaults(settings);
        EXPECT_EQ(edit.configuration(settings), edit.defaultItems());
        EXPECT_TRUE(edit.configuration(settings).contains(QStringLiteral("importUDCF")) && edit.configuration(settings).contains(QStringLiteral("importUDDF")));
        EXPECT_EQ(joined(list.configuration(settings)), "rechercher");
    }
    {
        // Choosing the default set stores nothing of its own.
        SettingsStore settings(iniPath());
        list.setConfiguration(settings, list.defaultItems());
        EXPECT_FALSE(settings.hasStoredValue(list.settingsKey()));
        EXPECT_EQ(list.configuration(settings), list.defaultItems());
    }
}
