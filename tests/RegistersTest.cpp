#include "platform/ArchiveFormat.h"
#include "platform/Checksum.h"
#include "registers/EpavesFields.h"
#include "registers/EpavesRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterGenerator.h"
#include "registers/RegisterSynthesis.h"
#include "support/ArchiveBytes.h"
#include "support/RegisterFixture.h"
#include "support/RegisterTesting.h"
#include "support/TestFiles.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

using namespace registertesting;

using namespace epaves;
using registers::FieldKind;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& wrecks() { return epaves::description(); }

const QDateTime kWhen(QDate(2019, 6, 2), QTime(10, 30));

// The value a test writer archives for a field: distinct per field, and
// what the reader must give back when the version archives it.
V writtenValue(int field)
{
    switch (schema().field(field).kind) {
    case FieldKind::Int: return qint32(field == orientationSwitch || field == aVisiter ? 1 : 100 + field);
    case FieldKind::Float: return float(10 + field);
    case FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(field));
    case FieldKind::Date: return kWhen.addDays(field);
    case FieldKind::Image: return RegisterRecord::Image(QByteArray("picture"));
    case FieldKind::List: return RegisterRecord::List();
    }
    return qint32(0);
}

// A wreck repertory written by an older version.
QByteArray olderFile(int version)
{
    return registertesting::olderFile(QStringLiteral("wrecks"), schema(), version, writtenValue);
}

class RegistersTest : public RegisterFixture<epaves::description> {
protected:
    void type(const char* field, const QString& text)
    {
        QString error;
        ASSERT_TRUE(doc->form().typeText(QString::fromLatin1(field), text, &error)) << error.toStdString();
    }
    void addCard(const QString& name)
    {
        doc->newRecord();
        type("nom", name);
        doc->addRecord();
    }
    QStringList names() const
    {
        QStringList n;
        for (const RegisterRecord& r : doc->records())
            n.append(r.text(nom).value_or(QStringLiteral("?")));
        return n;
    }
};

} // namespace

TEST(RegisterArchive, EveryOlderVersionReadsWithItsDefaults)
{
    for (int version = 1; version <= kClassVersion; ++version) {
        auto records = registerarchive::decode(wrecks(), olderFile(version));
        ASSERT_TRUE(records) << version << ": " << records.error().toStdString();
        ASSERT_EQ(records->size(), 1);
        const RegisterRecord& r = records->first();
        for (int f = 0; f < FieldCount; ++f) {
            const registers::FieldInfo& info = schema().field(f);
            V expected = writtenValue(f);
            if (info.sinceVersion > version)
                expected = info.emptyWhenLacking ? V(RegisterRecord::Text(QString())) : RegisterRecord::freshValue(info.kind);
            EXPECT_EQ(r.value(f), expected) << "version " << version << ", field " << info.name;
        }
    }
    // A whole-number length of an old file reads as the same decimal.
    EXPECT_EQ(registerarchive::decode(wrecks(), olderFile(3))->first().decimal(longueur), 14.0f);
}

TEST(RegisterArchive, CardsRoundTripAndOtherFilesAreRefused)
{
    QList<RegisterRecord> cards;
    for (const float depth : {-1.0f, 12.5f}) {
        RegisterRecord r(schema());
        for (int f = 0; f < FieldCount; ++f)
            r.setValue(f, writtenValue(f));
        r.setValue(pointHaut, depth);
        cards.append(r);
    }
    auto back = registerarchive::decode(wrecks(), *registerarchive::encode(wrecks(), cards));
    ASSERT_TRUE(back) << back.error().toStdString();
    ASSERT_EQ(back->size(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE((*back)[i].identical(cards[i])) << i;
    EXPECT_NE(back->first().text(relevement1), back->first().text(relevement2));

    const struct { QByteArray bytes; const char* reason; } refused[] = {
        {ArchiveWriter(QStringLiteral("logbook"), {{QStringLiteral("Plongee"), 24}}, 0).finish().take(),
         "not a wreck repertory"},
        {ArchiveWriter(QStringLiteral("wrecks"), {{QStringLiteral("Epaves"), 6}}, 0).finish().take(), "newer version"},
        {olderFile(5).chopped(20), "damaged"},
    };
    for (const auto& c : refused) {
        auto r = registerarchive::decode(wrecks(), c.bytes);
        ASSERT_FALSE(r);
        EXPECT_TRUE(r.error().contains(QLatin1String(c.reason))) << r.error().toStdString();
    }
    // A class table naming another class first makes no repertory, not
    // even to the look that tells a file's register.
    QByteArray crossed = olderFile(5);
    crossed.replace(crossed.indexOf("Epaves", crossed.indexOf("Epaves") + 1), 6, "Epavez");
    resign(crossed);
    QTemporaryDir dir;
    for (const auto& [bytes, known] : {std::pair{olderFile(5), true}, {crossed, false}}) {
        ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("w")), bytes));
        EXPECT_EQ(registerarchive::registerOfFile(dir.filePath(QStringLiteral("w"))) != nullptr, known);
    }
}

TEST_F(RegistersTest, FormReadingRules)
{
    const struct { const char* field; QString typed; V stored; QString shownAgain; } rows[] = {
        {"pointHaut", u"-"_qs, -1.0f, u"-"_qs},          {"pointHaut", u"deep"_qs, -1.0f, u"-"_qs},
        {"pointHaut", QString(), -1.0f, u"-"_qs},        {"pointHaut", u"-3"_qs, -1.0f, u"-"_qs},
        {"pointHaut", u"0"_qs, 0.0f, u"0"_qs},           {"pointBas", u"32,5 m"_qs, 32.5f, u"32.5"_qs},
        {"longueur", u"12"_qs, 12.0f, u"12"_qs},         {"longueur", u"long"_qs, 0.0f, u"0"_qs},
        {"largeur", u"1e99"_qs, 0.0f, u"0"_qs},          {"jauge", u"1200 t"_qs, qint32(1200), u"1200"_qs},
        {"orientation", u"x"_qs, qint32(0), u"0"_qs},
        {"nom", QStringLiteral(" Donator "), RegisterRecord::Text(QStringLiteral(" Donator ")), QStringLiteral(" Donator ")},
        {"notes", QStringLiteral("a\nb"), RegisterRecord::Text(QStringLiteral("a\nb")), QStringLiteral("a\nb")},
    };
    for (const auto& row : rows) {
        doc->form().blank();
        type(row.field, row.typed);
        const int f = schema().fieldIndex(QString::fromLatin1(row.field));
        const RegisterRecord stored = doc->form().store();
        EXPECT_EQ(stored.value(f), row.stored) << row.field << " " << row.typed.toStdString();
        doc->form().load(stored);
        EXPECT_EQ(doc->form().text(f), row.shownAgain) << row.field;
    }

    // Blank values, and a card of an old file without an update date.
    doc->form().blank();
    const RegisterRecord blank = doc->form().store();
    EXPECT_EQ(std::tuple(blank.decimal(longueur), blank.decimal(pointBas), blank.text(dateNaufrage).value_or("?"),
                         blank.text(gps).value_or("?"), blank.date(miseAJour).isValid(), bool(blank.image(photo))),
              std::tuple(-1.0f, -1.0f, u"--/--/----"_qs, u"00°00.000' N 000°00.000' E"_qs, true, false));
    doc->form().load(registerarchive::decode(wrecks(), olderFile(4))->first());
    EXPECT_FALSE(doc->form().value(miseAJour).date.isValid());

    // Values no control can take are refused and leave the form as it was.
    for (const auto& [field, text] : {std::pair{"materiau", "5"}, {"interet", "6"}, {"aVisiter", "maybe"},
                                      {"miseAJour", "32/13/2020"}, {"nomInconnu", "x"}})
        EXPECT_FALSE(doc->form().typeText(QString::fromLatin1(field), QString::fromLatin1(text))) << field;
}

TEST_F(RegistersTest, TableTextsAndColours)
{
    const auto hex = [](const std::optional<RgbaColour>& c) {
        return c ? QStringLiteral("%1,%2,%3").arg(c->red).arg(c->green).arg(c->blue) : QStringLiteral("-");
    };
    const struct { const char* column; int field; V value; QString text; QString colour; } rows[] = {
        {"longueur", longueur, 12.0f, u"12.0 m"_qs, u"-"_qs},      {"longueur", longueur, 0.5f, u"-"_qs, u"-"_qs},
        {"longueur", longueur, -1.0f, u"-"_qs, u"-"_qs},           {"pointHaut", pointHaut, -1.0f, u"-"_qs, u"-"_qs},
        {"pointBas", pointBas, 12.5f, u"12.5 m"_qs, u"-"_qs},      {"propulsion", propulsion, qint32(2), u"Diesel"_qs, u"-"_qs},
        {"propulsion", propulsion, qint32(0), u"N/A"_qs, u"-"_qs}, {"propulsion", propulsion, qint32(10), u"N/A"_qs, u"-"_qs},
        {"interet", interet, qint32(0), u"Not rated"_qs, u"-"_qs},
        {"interet", interet, qint32(3), u"***"_qs, u"0.6,0.4,0.2"_qs},
        {"technicite", technicite, qint32(1), u"*"_qs, u"0,1,0"_qs},
        {"technicite", technicite, qint32(4), u"****"_qs, u"0.5,0,0.5"_qs},
        {"technicite", technicite, qint32(5), u"*****"_qs, u"-"_qs}, {"nom", aVisiter, qint32(1), QString(), u"1,0,0"_qs},
    };
    for (const auto& row : rows) {
        RegisterRecord r(schema());
        r.setValue(row.field, row.value);
        const registers::Column& column = columnNamed(wrecks(), row.column);
        EXPECT_EQ(registertable::text(column, r, context->localizer()), row.text) << row.column;
        EXPECT_EQ(hex(registertable::colour(column, r)), row.colour) << row.column;
    }
}

// Adding leaves no selection and a blank form; the guards never store over
// another card.
TEST_F(RegistersTest, AddingAndGuardsNeverStoreOverAnotherCard)
{
    EXPECT_EQ(doc->countText(), QStringLiteral("0 cards"));
    addCard(QStringLiteral("Alpha"));
    EXPECT_EQ(doc->countText(), QStringLiteral("1 card"));
    addCard(QStringLiteral("Bravo"));
    addCard(QStringLiteral("Charlie"));
    EXPECT_EQ(doc->currentIndex(), -1);
    EXPECT_TRUE(doc->form().text(nom).isEmpty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->countText(), QStringLiteral("3 cards"));

    // Insert and update with nothing selected: an alert, and no change.
    type("nom", QStringLiteral("Delta"));
    EXPECT_FALSE(doc->insertRecord());
    EXPECT_FALSE(doc->updateRecord());
    EXPECT_EQ(alertKeys(), (QStringList{"No card selected", "No card selected"}));
    EXPECT_EQ(names(), (QStringList{"Alpha", "Bravo", "Charlie"}));

    // A new card being typed survives choosing the row to insert it before,
    // the end of a combo edit and closing the window; Insert puts it before
    // that row.
    doc->newRecord();
    type("nom", QStringLiteral("Delta"));
    type("type", QStringLiteral("Cargo"));
    doc->setSelection({1}, 1);
    doc->endEditingCombo(epaves::type);
    doc->closeEditWindow();
    EXPECT_EQ(doc->form().text(nom), QStringLiteral("Delta"));
    EXPECT_EQ(names(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    ASSERT_TRUE(doc->insertRecord());
    EXPECT_EQ(names(), (QStringList{"Alpha", "Delta", "Bravo", "Charlie"}));

    // Erase keeps the selection but never stores the blank form by moving.
    doc->setSelection({2}, 2);
    doc->blankFields();
    doc->nextRecord();
    EXPECT_EQ(names(), (QStringList{"Alpha", "Delta", "Bravo", "Charlie"}));

    // Moving stores the edits of the card the form holds.
    doc->setSelection({0}, 0);
    type("nom", QStringLiteral("Alpha II"));
    doc->nextRecord();
    EXPECT_EQ(names().first(), QStringLiteral("Alpha II"));
    EXPECT_EQ(doc->form().text(nom), QStringLiteral("Delta"));

    // Delete asks; cancelling changes nothing.
    alerts.queueAnswer(1);
    doc->deleteRecords();
    EXPECT_EQ(doc->count(), 4);
    doc->deleteRecords();
    EXPECT_EQ(names(), (QStringList{"Alpha II", "Bravo", "Charlie"}));
    EXPECT_EQ(alertKeys().last(), QStringLiteral("Erase card"));
    EXPECT_EQ(alerts.asked().last().message, QStringLiteral("Delete 1 card?"));
    EXPECT_EQ(alerts.asked().last().defaultButton, 1);
}

TEST_F(RegistersTest, SortingFollowsTheSelectedCard)
{
    for (const char* n : {"Bravo", "Alpha", "Charlie"})
        addCard(QLatin1String(n));
    doc->setModified(false);
    doc->setSelection({0}, 0); // Bravo
    const QStringList expected[] = {{"Charlie", "Bravo", "Alpha"}, {"Alpha", "Bravo", "Charlie"},
                                    {"Charlie", "Bravo", "Alpha"}};
    for (const QStringList& order : expected) {
        doc->sortByColumn(QStringLiteral("nom"));
        EXPECT_EQ(names(), order);
        ASSERT_GE(doc->currentIndex(), 0);
        EXPECT_EQ(doc->records()[doc->currentIndex()].text(nom), QStringLiteral("Bravo"));
        EXPECT_EQ(doc->loadedIndex(), doc->currentIndex());
    }
    // Another column sorts descending first; going back keeps the last direction.
    doc->sortByColumn(QStringLiteral("jauge"));
    EXPECT_FALSE(doc->lastSortAscending());
    doc->sortByColumn(QStringLiteral("nom"));
    EXPECT_FALSE(doc->lastSortAscending());
    EXPECT_FALSE(doc->isModified());
    // Editing after the sort stores into the card the form holds.
    type("nom", QStringLiteral("Bravo II"));
    ASSERT_TRUE(doc->updateRecord());
    EXPECT_EQ(names(), (QStringList{"Charlie", "Bravo II", "Alpha"}));
}

TEST_F(RegistersTest, FormRulesFollowTheForm)
{
    const std::string off = "orientation.enabled=false orientationSlider.enabled=false orientationSlider=0 dateVisite.visible=true ";
    const struct { QStringList typed; std::string derived; } rows[] = {
        {{}, off + "interetValue=? techniciteValue=?"},
        {{"orientationSwitch=1", "orientation=275", "aVisiter=1", "interet=3", "technicite=5"},
         "orientation.enabled=true orientationSlider.enabled=true orientationSlider=275 dateVisite.visible=false "
         "interetValue=3 techniciteValue=5"},
        {{"orientation=north", "interet=1"}, off + "interetValue=1 techniciteValue=?"},
    };
    for (const auto& row : rows) {
        typedCard(doc->form(), row.typed);
        EXPECT_EQ(derivedText(wrecks(), doc->form(), context->localizer()), row.derived) << row.typed.join(u' ').toStdString();
    }
}

TEST_F(RegistersTest, SynthesisTexts)
{
    const RegisterRecord full = typedCard(doc->form(),
        {"nom=Le Liban", "type=Liner", "immatriculation=MA 12", "longueur=91.5", "largeur=11", "jauge=2308",
         "materiau=2", "propulsion=6", "typeMachine=Triple expansion", "puissance=2500 hp", "pointHaut=28",
         "pointBas=36.5", "natureFond=Sand", "orientationSwitch=1", "orientation=275", "inclinaison=3",
         "nomsPrecedents=none", "nationalite=French", "armateur=Fraissinet", "dateConstruction=01/01/1882",
         "lieuConstruction=Glasgow", "ports=Marseille", "capitaine=Lacotte", "equipage=49", "chargement=Mail",
         "provenance=Marseille", "destination=Bastia", "dateNaufrage=07/06/1903", "causeNaufrage=Collision",
         "miseAJour=2021-03-04", "lieu=Marseille", "site=Île Maïre", "pays=France", "gps=43°12.660\' N 005°20.440\' E", "gpsSystem=2", "acces=1",
         "localisation=3", "interet=4", "technicite=1", "relevement1=Lighthouse 045°", "relevement2=Cape 180°",
         "relevement3=Fort 156°", "dateVisite=2019-06-02", "notes=Bow upright.\nCongers."});
    // A card of an old file where nothing was given.
    RegisterRecord old(schema());
    for (const int f : {longueur, largeur, pointHaut, pointBas})
        old.setValue(f, -1.0f);

    const StyledText text = registersynthesis::ofAll(wrecks(), {full}, context->localizer(),
                                                     QStringLiteral("/dives/wrecks.ondrix"), kWhen);
    EXPECT_EQ(marked(text),
              "{g}Wrecks{k}\n--------------------\nName: {b}Le Liban{R}\n\nCharacteristics{k}\nType: {b}Liner{k}\n"
              "Registration: {b}MA 12{k}\nLength (m): {b}91.5{k}\nBeam (m): {b}11{k}\nTonnage (t): {b}2308{k}\n"
              "Hull: {b}Iron{k}\nPropulsion: {b}Steam{k}\nEngine: {b}Triple expansion{k}\nPower: {b}2500 hp{k}\n"
              "Shallowest point: {b}28{k} m\nDeepest point: {b}36.5{k} m\nBottom: {b}Sand{k}\n"
              "Orientation: {b}275{k}°\nList: {b}to starboard{R}\n\nHistory{k}\nPrevious names: {b}none{k}\n"
              "Nationality: {b}French{k}\nOwner: {b}Fraissinet{k}\nBuilt on: {b}01/01/1882{k}\n"
              "Built at: {b}Glasgow{k}\nHome ports: {b}Marseille{k}\nCaptain: {b}Lacotte{k}\nCrew: {b}49{k}\n"
              "Cargo: {b}Mail{k}\nSailing from: {b}Marseille{k}\nBound for: {b}Bastia{k}\nSunk on: {b}07/06/1903{k}\n"
              "Cause of sinking: {b}Collision{k}\nCard updated on: {b}04/03/2021{R}\n\nPosition{k}\n"
              "Place: {b}Marseille{k}\nSite: {b}Île Maïre{k}\nCountry: {b}France{k}\n"
              "GPS: {b}43°12.660' N 005°20.440' E (ED50){k}\nAccess: {b}easy{k}\nLocating: {b}difficult{k}\n"
              "Interest: {n}****{k}\nDifficulty: {g}*{R}\n\nLandmarks{k}\nBearing 1: {b}Lighthouse 045°{k}\n"
              "Bearing 2: {b}Cape 180°{k}\nBearing 3: {b}Fort 156°{k}\nFirst visit: {b}02/06/2019{R}\n\nRemarks\n"
              "{b}Bow upright.\nCongers.{k}\n--------------------\n{g}\nFile dir : /dives/wrecks.ondrix\n\n"
              "Edition date : 02/06/2019");

    const std::string two = marked(registersynthesis::ofAll(wrecks(), {full, old}, context->localizer(), {}, kWhen));
    EXPECT_NE(two.find("Congers.{k}\n--------------------\nName: {R}\n"), std::string::npos); // in list order

    // Nothing given: no lengths, no codes; the difficulty's colour follows
    // its rating, 5 black as its label.
    for (const auto& [rating, mark] : {std::pair{0, "{b}N/A"}, {2, "{b}**"}, {3, "{r}***"}, {4, "{p}****"}, {5, "*****"}}) {
        old.setValue(technicite, qint32(rating));
        const std::string card = marked(wrecks().synthesis(old, context->localizer()));
        EXPECT_NE(card.find(std::string("Difficulty: ") + mark), std::string::npos) << rating;
        for (const char* line : {"Length (m): {b}-{k}\n", "Deepest point: {b}-{k}\n", "Tonnage (t): {b}0{k}\n",
                                 "Hull: {b}N/A{k}\n", "GPS: {b} (N/A){k}\n", "Interest: {n}N/A{k}\n", "Engine: \n"})
            EXPECT_NE(card.find(line), std::string::npos) << line;
    }
}

TEST(RegisterGenerator, CardsAreFilledVariedAndTheSameForASeed)
{
    const QList<RegisterRecord> cards = registergenerator::generate(wrecks(), 40, 9);
    const QList<RegisterRecord> again = registergenerator::generate(wrecks(), 40, 9);
    const QList<RegisterRecord> other = registergenerator::generate(wrecks(), 40, 10);
    QSet<QString> names;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const RegisterRecord& r = cards[i];
        EXPECT_TRUE(r.identical(again[i])) << i;
        names.insert(*r.text(nom));
        for (int f = 0; f < FieldCount; ++f) {
            const registers::FieldInfo& info = schema().field(f);
            const auto control = std::find_if(wrecks().controls.begin(), wrecks().controls.end(),
                                              [f](const registers::FormControl& c) { return c.field == f; });
            EXPECT_TRUE(info.kind == FieldKind::Text ? !r.text(f).value_or(QString()).isEmpty()
                                                     : info.kind != FieldKind::Date || r.date(f).isValid())
                << info.name; // filled
            if (control == wrecks().controls.end())
                continue;
            const int v = info.kind == FieldKind::Int ? r.integer(f) : 0;
            EXPECT_TRUE(control->rule != registers::Rule::PopupTag || (v > 0 && control->tags.contains(v))) << info.name;
            EXPECT_TRUE(control->rule != registers::Rule::Slider || (v >= 1 && v <= control->maximum)) << info.name;
        }
        EXPECT_GT(r.decimal(pointBas), r.decimal(pointHaut));
        EXPECT_GE(r.decimal(pointHaut), 0.0f);
        EXPECT_LT(r.text(dateConstruction)->right(4), r.text(dateNaufrage)->right(4));
        // A picture on one card in ten: a whole PNG of 64 x 40 pixels.
        ASSERT_EQ(bool(r.image(photo)), i % 10 == 0) << i;
        if (const auto& png = r.image(photo)) {
            EXPECT_TRUE(png->startsWith(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x40\0\0\0\x28", 24)));
            const qsizetype idat = png->indexOf("IDAT");
            const QByteArray zlib = png->mid(idat + 4, qFromBigEndian<quint32>(png->constData() + idat - 4));
            EXPECT_EQ(qUncompress(QByteArray("\0\0\x28\x28", 4) + zlib).size(), 40 * (1 + 64 * 3));
        }
    }
    EXPECT_GE(names.size(), 15);
    EXPECT_FALSE(other.first().identical(cards.first()));
    auto back = registerarchive::decode(wrecks(), *registerarchive::encode(wrecks(), cards));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->last().identical(cards.last()));
}
