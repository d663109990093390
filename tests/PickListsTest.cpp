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

    QTemporaryDir m_dir;
    int m_copies = 0;
    SettingsStore store{storePath()};
    PickLists lists;
};

struct NameCase {
    PickListId id;
    const char* key;
    const char* memoryName;
};

TEST_F(PickListsTest, KeysAndNamesInRegistrationOrder)
{
    const QList<NameCase> cases = {
        {PickListId::Lieux, "lieux", "tableauDesLieux"},
        {PickListId::Sites, "sites", "tableauDesSites"},
        {PickListId::Pays, "pays", "tableauDesPays"},
        {PickListId::CountryCode, "countryCode", "countryCodeArray"},
        {PickListId::Partenaires, "partenaires", "tableauDesPalanquees"},
        {PickListId::Epaves, "epaves", "tableauDesEpaves"},
        {PickListId::Structures, "structures", "tableauDesStructures"},
        {PickListId::Ordinateurs, "ordinateurs", "tableauDesOrdis"},
        {PickListId::SacDePlongee, "sac de plongee", "sacDePlongee"},
        {PickListId::TypeEpave, "type epave", "tableauDesTypesEpaves"},
        {PickListId::CauseNaufrage, "cause naufrage", "tableauDesCausesNaufrages"},
        {PickListId::TypeMateriel, "type materiel", "tableauDesTypesMatos"},
        {PickListId::Fabricants, "fabricants", "tableauDesMarques"},
        {PickListId::Magasins, "magasins", "tableauDesMagasins"},
        {PickListId::Prestations, "prestations", "tableauDesPrestations"},
        {PickListId::Activite, "activite", "tableauDesActivites"},
    };
    ASSERT_EQ(std::size_t(cases.size()), PickLists::all().size());
    for (int i = 0; i < cases.size(); ++i) {
        const NameCase& c = cases.at(i);
        SCOPED_TRACE(c.key);
        EXPECT_EQ(PickLists::all().at(std::size_t(i)), c.id);
        EXPECT_EQ(PickLists::key(c.id), QString::fromLatin1(c.key));
        EXPECT_EQ(PickLists::memoryName(c.id), QString::fromLatin1(c.memoryName));
    }
}

TEST_F(PickListsTest, ListsAreSeparate)
{
    for (const PickListId id : PickLists::all())
        lists.list(id).append(PickLists::key(id));
    for (const PickListId id : PickLists::all())
        EXPECT_EQ(lists.list(id), QStringList{PickLists::key(id)});
}

struct SortCase {
    const char* name;
    QStringList input;
    QStringList sorted;
};

TEST_F(PickListsTest, SortsByCaseSensitiveCodeUnits)
{
    const QList<SortCase> cases = {
        {"capitals first", {"alpha", "Zeta", "beta", "Beta"}, {"Beta", "Zeta", "alpha", "beta"}},
        {"case-distinct", {"nice", "Nice"}, {"Nice", "nice"}},
        {"leading space first", {"Nice", " Nice"}, {" Nice", "Nice"}},
        {"accents after ASCII", {"épave", "zodiac", "Epave"}, {"Epave", "zodiac", "épave"}},
        {"digits before letters", {"b", "10", "9"}, {"10", "9", "b"}},
        {"empty entry first", {"a", ""}, {"", "a"}},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        lists.list(PickListId::Sites) = c.input;
        lists.sort(PickListId::Sites);
        EXPECT_EQ(lists.list(PickListId::Sites), c.sorted);
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

TEST_F(PickListsTest, FirstStartWithAnEmptyStore)
{
    registerDefaultSettings(store, lists);

    for (const PickListId id : PickLists::all()) {
        SCOPED_TRACE(PickLists::key(id).toStdString());
        EXPECT_TRUE(lists.list(id).isEmpty());
        EXPECT_TRUE(store.stringListValue(PickLists::key(id)).isEmpty());
    }
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("stop interval")), 3.0);
    EXPECT_TRUE(store.boolValue(QStringLiteral("display units")));
    EXPECT_FALSE(store.boolValue(QStringLiteral("us units")));
    EXPECT_FALSE(store.boolValue(QStringLiteral("pense bete")));
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("alpha fill color")), 0.5);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("alpha background color")), 0.5);
    EXPECT_EQ(store.intValue(QStringLiteral("coloured theme")), 0);
    EXPECT_DOUBLE_EQ(store.doubleValue(QStringLiteral("low temperature value")), 0.0);
    EXPECT_FALSE(store.value(QStringLiteral("tank volume")).isValid());
    EXPECT_FALSE(store.colourValue(QStringLiteral("foreign color")).has_value());
    EXPECT_TRUE(store.stringValue(QStringLiteral("country code")).isNull());
    EXPECT_FALSE(store.boolValue(QStringLiteral("column numero")));
}

struct DefaultCase {
    const char* key;
    QVariant registered;
};

TEST_F(PickListsTest, RegisteredDefaultsKeepTheirGivenKinds)
{
    const QString blue = QStringLiteral("rgba(0,0,1,1)");
    const QList<DefaultCase> cases = {
        {"depth time in color", true},
        {"color item", false},
        {"coloured text", QStringLiteral("")},
        {"coloured theme", false},
        {"display units", true},
        {"low temperature in color", false},
        {"low temperature value", QStringLiteral("")},
        {"low temperature color", blue},
        {"depth color", blue},
        {"time color", blue},
        {"fill plot", true},
        {"plot color", QStringLiteral("rgba(1,0,0,1)")},
        {"fill color", blue},
        {"alpha fill color", QStringLiteral("0.5")},
        {"background color", QStringLiteral("rgba(0.5,0.5,0.5,1)")},
        {"alpha background color", QStringLiteral("0.5")},
        {"ASC color", QStringLiteral("rgba(1,1,0,1)")},
        {"SLOW color", blue},
        {"x minor ticks", true},
        {"y minor ticks", true},
        {"stop interval", QStringLiteral("3")},
    };
    registerDefaultSettings(store, lists);
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.key);
        const QVariant value = store.value(QString::fromLatin1(c.key));
        EXPECT_EQ(value.typeId(), c.registered.typeId());
        EXPECT_EQ(value, c.registered);
        EXPECT_FALSE(store.hasStoredValue(QString::fromLatin1(c.key)));
    }
    EXPECT_FALSE(store.stringValue(QStringLiteral("coloured text")).isNull());
    EXPECT_EQ(store.colourValue(QStringLiteral("background color")), RgbaColour::grey(0.5, 1));
    EXPECT_EQ(store.colourValue(QStringLiteral("ASC color")), RgbaColour::rgb(1, 1, 0, 1));
}

TEST_F(PickListsTest, EveryPickListButTheDiveBagHasADefault)
{
    registerDefaultSettings(store, lists);
    for (const PickListId id : PickLists::all()) {
        SCOPED_TRACE(PickLists::key(id).toStdString());
        const QVariant value = store.value(PickLists::key(id));
        if (id == PickListId::SacDePlongee) {
            EXPECT_FALSE(value.isValid());
        } else {
            EXPECT_EQ(value.typeId(), QMetaType::QStringList);
            EXPECT_TRUE(value.toStringList().isEmpty());
        }
    }
}

TEST_F(PickListsTest, DefaultsAreNotWrittenToTheFile)
{
    registerDefaultSettings(store, lists);
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
        SCOPED_TRACE(PickLists::key(id).toStdString());
        const QStringList stored{PickLists::key(id) + QStringLiteral(" entry")};
        EXPECT_EQ(lists.list(id), id == PickListId::Activite ? QStringList() : stored);
        EXPECT_EQ(store.stringListValue(PickLists::key(id)), stored);
    }
}

TEST_F(PickListsTest, ActivityDefaultIsItsOwnStoredList)
{
    store.setStringList(QStringLiteral("activite"), {QStringLiteral("Plongée")});
    registerDefaultSettings(store, lists);
    // Once the stored value goes, the registered default still holds it.
    store.remove(QStringLiteral("activite"));
    EXPECT_EQ(store.stringListValue(QStringLiteral("activite")),
              QStringList{QStringLiteral("Plongée")});
    EXPECT_TRUE(lists.list(PickListId::Activite).isEmpty());
}

TEST_F(PickListsTest, ServicesDoNotShowUpAsActivities)
{
    store.setStringList(QStringLiteral("prestations"), {QStringLiteral("Gonflage")});
    registerDefaultSettings(store, lists);
    EXPECT_EQ(lists.list(PickListId::Prestations), QStringList{QStringLiteral("Gonflage")});
    EXPECT_TRUE(lists.list(PickListId::Activite).isEmpty());
    EXPECT_TRUE(store.stringListValue(QStringLiteral("activite")).isEmpty());
    lists.reloadFromStore(PickListId::Activite, store);
    EXPECT_TRUE(lists.list(PickListId::Activite).isEmpty());
}

class PickListOfferTest : public PickListsTest {
protected:
    PickListOfferTest()
        : localizer(Localizer::fromTables(
            {{QStringLiteral("Main"),
              {{QStringLiteral("Add item to ComboBox"), QStringLiteral("Ajouter ?")},
               {QStringLiteral("Yes"), QStringLiteral("Oui")},
               {QStringLiteral("No"), QStringLiteral("Non")}}}}))
    {
    }

    bool offer(PickListId id, const QString& text)
    {
        return offerToAddToPickList(lists, id, text, store, alerts, localizer);
    }

    ScriptedAlerts alerts;
    Localizer localizer;
};

TEST_F(PickListOfferTest, NothingIsOfferedForBlankOrListedText)
{
    lists.list(PickListId::Sites) = {QStringLiteral("Nice"), QStringLiteral("Cassis")};
    const QStringList notOffered = {"", " ", "     ", "Nice", "Cassis"};
    for (const QString& text : notOffered) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(offer(PickListId::Sites, text));
    }
    EXPECT_TRUE(alerts.asked().isEmpty());
    // Neither sorted nor written back.
    EXPECT_EQ(lists.list(PickListId::Sites), (QStringList{"Nice", "Cassis"}));
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("sites")));
}

TEST_F(PickListOfferTest, OnlySpacesAreTrimmedForTheBlankTest)
{
    const QStringList offered = {"\t", " \n ", "\r", QStringLiteral("\u00a0")};
    for (const QString& text : offered) {
        SCOPED_TRACE(text.toStdString());
        alerts.queueAnswer(1);
        EXPECT_FALSE(offer(PickListId::Lieux, text));
    }
    EXPECT_EQ(alerts.asked().size(), offered.size());
}

TEST_F(PickListOfferTest, AcceptedTextIsAddedSortedAndStored)
{
    lists.list(PickListId::Partenaires) = {QStringLiteral("Paul"), QStringLiteral("Anne")};
    EXPECT_TRUE(offer(PickListId::Partenaires, QStringLiteral("Marc")));

    const QStringList expected = {"Anne", "Marc", "Paul"};
    EXPECT_EQ(lists.list(PickListId::Partenaires), expected);
    EXPECT_EQ(store.stringListValue(QStringLiteral("partenaires")), expected);
    EXPECT_EQ(reopenedCopy()->stringListValue(QStringLiteral("partenaires")), expected);
}

TEST_F(PickListOfferTest, TheAlertAsked)
{
    EXPECT_TRUE(offer(PickListId::Fabricants, QStringLiteral("Scubapro")));
    ASSERT_EQ(alerts.asked().size(), 1);
    const Alert& alert = alerts.asked().first();
    EXPECT_EQ(alert.key, QStringLiteral("Add item to ComboBox"));
    EXPECT_EQ(alert.table, QStringLiteral("Main"));
    EXPECT_EQ(alert.message, QStringLiteral("Ajouter ?"));
    EXPECT_EQ(alert.buttons, (QStringList{"Oui", "Non"}));
    EXPECT_TRUE(alert.beep);
}

TEST_F(PickListOfferTest, UntranslatedAlertUsesTheAlertFallback)
{
    const Localizer empty = Localizer::fromTables({});
    EXPECT_TRUE(offerToAddToPickList(lists, PickListId::Magasins, QStringLiteral("Shop"),
                                     store, alerts, empty));
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(alerts.asked().first().message, QStringLiteral("\r\rerror ! "));
    EXPECT_EQ(alerts.asked().first().buttons, (QStringList{"error !", "error !"}));
}

TEST_F(PickListOfferTest, ListedValueWithALeadingSpaceIsOfferedAndKeepsItsSpace)
{
    lists.list(PickListId::Lieux) = {QStringLiteral("Nice")};
    EXPECT_TRUE(offer(PickListId::Lieux, QStringLiteral(" Nice")));
    EXPECT_EQ(alerts.asked().size(), 1);
    const QStringList expected = {" Nice", "Nice"};
    EXPECT_EQ(lists.list(PickListId::Lieux), expected);
    EXPECT_EQ(store.stringListValue(QStringLiteral("lieux")), expected);
}

TEST_F(PickListOfferTest, SecondButtonStillSortsAndWritesBack)
{
    lists.list(PickListId::TypeEpave) = {QStringLiteral("Sous-marin"), QStringLiteral("Cargo")};
    alerts.queueAnswer(1);
    EXPECT_FALSE(offer(PickListId::TypeEpave, QStringLiteral("Chalutier")));

    const QStringList expected = {"Cargo", "Sous-marin"};
    EXPECT_EQ(lists.list(PickListId::TypeEpave), expected);
    EXPECT_TRUE(store.hasStoredValue(QStringLiteral("type epave")));
    EXPECT_EQ(reopenedCopy()->stringListValue(QStringLiteral("type epave")), expected);
}

TEST_F(PickListOfferTest, ValuesDifferingInCaseAreDistinctCapitalFirst)
{
    lists.list(PickListId::Ordinateurs) = {QStringLiteral("vyper")};
    EXPECT_TRUE(offer(PickListId::Ordinateurs, QStringLiteral("Vyper")));
    EXPECT_EQ(lists.list(PickListId::Ordinateurs), (QStringList{"Vyper", "vyper"}));
}

TEST_F(PickListOfferTest, EachListIsWrittenUnderItsOwnKey)
{
    EXPECT_TRUE(offer(PickListId::Prestations, QStringLiteral("Gonflage")));
    EXPECT_TRUE(offer(PickListId::SacDePlongee, QStringLiteral("Masque")));
    EXPECT_EQ(store.stringListValue(QStringLiteral("prestations")),
              QStringList{QStringLiteral("Gonflage")});
    EXPECT_EQ(store.stringListValue(QStringLiteral("sac de plongee")),
              QStringList{QStringLiteral("Masque")});
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("activite")));
    EXPECT_TRUE(lists.list(PickListId::Activite).isEmpty());
}

TEST_F(PickListOfferTest, AddedValuesSurviveARestart)
{
    registerDefaultSettings(store, lists);
    EXPECT_TRUE(offer(PickListId::Pays, QStringLiteral("Égypte")));
    EXPECT_TRUE(offer(PickListId::Pays, QStringLiteral("Malte")));

    const auto restarted = reopenedCopy();
    PickLists reloaded;
    registerDefaultSettings(*restarted, reloaded);
    EXPECT_EQ(reloaded.list(PickListId::Pays), (QStringList{"Malte", "Égypte"}));
}

} // namespace
