#include "platform/context/DefaultSettings.h"
#include "platform/context/PickListOffer.h"
#include "platform/context/PickLists.h"
#include "platform/Localizer.h"
#include "platform/RgbaColour.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PickListsTest : public ::testing::Test {
protected:
    QString storePath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    // A store over a copy of the settings file, so what it reads can only
    // come from the disk.
    std::unique_ptr<SettingsStore> reopenedCopy()
    {
        const QString copy = m_dir.filePath(QStringLiteral("copy-%1.ini").arg(++m_copies));
        EXPECT_TRUE(QFile::copy(storePath(), copy));
        return std::make_unique<SettingsStore>(copy);
    }

    bool offer(PickListId id, const QString& text)
    {
        return offerToAddToPickList(lists, id, text, store, alerts, localizer);
    }

    QTemporaryDir m_dir;
    int m_copies = 0;
    SettingsStore store{storePath()};
    PickLists lists;
    ScriptedAlerts alerts;
    Localizer localizer = Localizer::fromTables({{QStringLiteral("Main"),
                                                  {{QStringLiteral("Add item to ComboBox"), QStringLiteral("Ajouter ?")},
                                                   {QStringLiteral("Yes"), QStringLiteral("Oui")},
                                                   {QStringLiteral("No"), QStringLiteral("Non")}}}});
};

// The settings keys are what the settings file holds: a renamed key loses
// every diver's lists.
TEST_F(PickListsTest, KeysInRegistrationOrder)
{
    QStringList keys;
    for (const PickListId id : PickLists::all())
        keys.append(PickLists::key(id));
    EXPECT_EQ(keys, QStringList({"lieux", "sites", "pays", "countryCode", "partenaires", "epaves", "structures",
                                 "ordinateurs", "sac de plongee", "type epave", "cause naufrage", "type materiel",
                                 "fabricants", "magasins", "prestations", "activite"}));
}

TEST_F(PickListsTest, SortsByCaseSensitiveCodeUnits)
{
    const struct { QStringList input, sorted; } cases[] = {
        {{"alpha", "Zeta", "beta", "Beta"}, {"Beta", "Zeta", "alpha", "beta"}},
        {{"Nice", " Nice"}, {" Nice", "Nice"}},
        {{"épave", "zodiac", "Epave"}, {"Epave", "zodiac", "épave"}},
        {{"b", "10", "9"}, {"10", "9", "b"}},
        {{"a", ""}, {"", "a"}},
    };
    for (const auto& c : cases) {
        lists.list(PickListId::Sites) = c.input;
        lists.sort(PickListId::Sites);
        EXPECT_EQ(lists.list(PickListId::Sites), c.sorted) << c.input.join(u'|').toStdString();
    }
}

TEST_F(PickListsTest, WriteBackAndReloadRoundTrip)
{
    const QStringList unsorted = {"Sète", "", "Le Lavandou", "a, b", "Antibes"};
    lists.list(PickListId::Lieux) = unsorted;
    lists.writeBack(PickListId::Lieux, store);
    EXPECT_EQ(reopenedCopy()->stringListValue(QStringLiteral("lieux")), unsorted);
    lists.list(PickListId::Lieux).clear();
    lists.reloadFromStore(PickListId::Lieux, store);
    EXPECT_EQ(lists.list(PickListId::Lieux), unsorted);
}

TEST_F(PickListsTest, FirstStartRegistersDefaultsWithoutWritingThem)
{
    registerDefaultSettings(store, lists);
    for (const PickListId id : PickLists::all()) {
        EXPECT_TRUE(lists.list(id).isEmpty());
        // The dive bag alone has no registered default.
        EXPECT_EQ(store.value(PickLists::key(id)).isValid(), id != PickListId::SacDePlongee);
    }
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
    EXPECT_EQ(store.value(QStringLiteral("stop interval")).typeId(), QMetaType::QString); // kept as registered
    EXPECT_TRUE(store.boolValue(QStringLiteral("display units")));
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("alpha fill color")), 0.5);
    EXPECT_EQ(store.colourValue(QStringLiteral("background color")), RgbaColour::grey(0.5, 1));
    EXPECT_FALSE(store.value(QStringLiteral("tank volume")).isValid());
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("stop interval")));
    const auto reopened = reopenedCopy();
    EXPECT_FALSE(reopened->value(QStringLiteral("stop interval")).isValid());
    EXPECT_FALSE(reopened->value(QStringLiteral("lieux")).isValid());
}

TEST_F(PickListsTest, StoredListsAreLoadedExceptActivities)
{
    for (const PickListId id : PickLists::all())
        store.setStringList(PickLists::key(id), {PickLists::key(id) + QStringLiteral(" entry")});
    registerDefaultSettings(store, lists);
    for (const PickListId id : PickLists::all()) {
        const QStringList stored{PickLists::key(id) + QStringLiteral(" entry")};
        EXPECT_EQ(lists.list(id), id == PickListId::Activite ? QStringList() : stored) << PickLists::key(id).toStdString();
    }
    // The stored activities became the registered default: removing the
    // stored value leaves them readable.
    store.remove(QStringLiteral("activite"));
    EXPECT_EQ(store.stringListValue(QStringLiteral("activite")), QStringList{QStringLiteral("activite entry")});
}

TEST_F(PickListsTest, TheOfferAsksOnlyForNewNonBlankText)
{
    lists.list(PickListId::Sites) = {QStringLiteral("Nice"), QStringLiteral("Cassis")};
    const struct { QString text; bool asked; } cases[] = {
        {"", false}, {"     ", false}, {"Nice", false}, {"Cassis", false},
        // Only spaces count as blank; a leading space or another case is new.
        {"\t", true}, {QStringLiteral("\u00a0"), true}, {" Nice", true}, {"nice", true},
    };
    for (const auto& c : cases) {
        const qsizetype before = alerts.asked().size();
        alerts.queueAnswer(1); // No
        EXPECT_FALSE(offer(PickListId::Sites, c.text));
        EXPECT_EQ(alerts.asked().size() - before, c.asked ? 1 : 0) << c.text.toStdString();
    }
    EXPECT_EQ(lists.list(PickListId::Sites), (QStringList{"Cassis", "Nice"})); // refused: still sorted
}

TEST_F(PickListsTest, AcceptedTextIsAddedSortedStoredAndSurvivesARestart)
{
    registerDefaultSettings(store, lists);
    lists.list(PickListId::Partenaires) = {QStringLiteral("Paul"), QStringLiteral("Anne")};
    EXPECT_TRUE(offer(PickListId::Partenaires, QStringLiteral("Marc")));
    EXPECT_TRUE(offer(PickListId::SacDePlongee, QStringLiteral("Masque")));
    ASSERT_EQ(alerts.asked().size(), 2);
    const Alert& alert = alerts.asked().first();
    EXPECT_EQ((QStringList{alert.key, alert.message, alert.buttons.join(u'/'), QString::number(alert.beep)}),
              (QStringList{"Add item to ComboBox", "Ajouter ?", "Oui/Non", "1"}));

    const QStringList expected = {"Anne", "Marc", "Paul"};
    EXPECT_EQ(lists.list(PickListId::Partenaires), expected);
    const auto restarted = reopenedCopy();
    PickLists reloaded;
    registerDefaultSettings(*restarted, reloaded);
    EXPECT_EQ(reloaded.list(PickListId::Partenaires), expected);
    EXPECT_EQ(reloaded.list(PickListId::SacDePlongee), QStringList{QStringLiteral("Masque")});
}

TEST_F(PickListsTest, AnUntranslatedOfferUsesTheAlertFallback)
{
    const Localizer empty = Localizer::fromTables({});
    EXPECT_TRUE(offerToAddToPickList(lists, PickListId::Magasins, QStringLiteral("Shop"), store, alerts, empty));
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(QStringList{alerts.asked().first().message} + alerts.asked().first().buttons,
              (QStringList{"\r\rerror ! ", "error !", "error !"}));
}

} // namespace
