#include "platform/ArchiveWriter.h"
#include "registers/EpavesFields.h"
#include "registers/EpavesRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"

#include <gtest/gtest.h>

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

// A wreck repertory written by an older version: only the fields that
// version archived, the lengths as whole numbers before version 4.
QByteArray olderFile(int version)
{
    ArchiveWriter out(QStringLiteral("wrecks"), {{QStringLiteral("Epaves"), version}}, 1);
    out.beginRecord(0);
    for (int f = 0; f < FieldCount; ++f) {
        if (schema().field(f).sinceVersion > version)
            continue;
        const V v = writtenValue(f);
        if (const auto* i = std::get_if<qint32>(&v))
            out.writeInt(*i);
        else if (const auto* x = std::get_if<float>(&v))
            version < 4 && (f == longueur || f == largeur) ? out.writeInt(qint32(*x)) : out.writeFloat(*x);
        else if (const auto* t = std::get_if<RegisterRecord::Text>(&v))
            out.writeString(*t);
        else if (const auto* d = std::get_if<QDateTime>(&v))
            out.writeDate(*d);
        else if (const auto* image = std::get_if<RegisterRecord::Image>(&v))
            out.writeImage(*image);
    }
    return out.finish().take();
}

class RegistersTest : public ContextFixture {
protected:
    std::unique_ptr<RegisterDocument> doc;
    void SetUp() override
    {
        ContextFixture::SetUp();
        doc = std::make_unique<RegisterDocument>(*context, wrecks());
    }
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

    const struct {
        QByteArray bytes;
        const char* reason;
    } refused[] = {
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
}

TEST_F(RegistersTest, FormReadingRules)
{
    const struct {
        const char* field;
        QString typed;
        V stored;
        QString shownAgain;
    } rows[] = {
        {"pointHaut", QStringLiteral("-"), -1.0f, QStringLiteral("-")},
        {"pointHaut", QStringLiteral("deep"), -1.0f, QStringLiteral("-")},
        {"pointHaut", QString(), -1.0f, QStringLiteral("-")},
        {"pointHaut", QStringLiteral("-3"), -1.0f, QStringLiteral("-")},
        {"pointHaut", QStringLiteral("0"), 0.0f, QStringLiteral("0")},
        {"pointBas", QStringLiteral("32,5 m"), 32.5f, QStringLiteral("32.5")},
        {"longueur", QStringLiteral("12"), 12.0f, QStringLiteral("12")},
        {"longueur", QStringLiteral("long"), 0.0f, QStringLiteral("0")},
        {"largeur", QStringLiteral("1e99"), 0.0f, QStringLiteral("0")},
        {"jauge", QStringLiteral("1200 t"), qint32(1200), QStringLiteral("1200")},
        {"orientation", QStringLiteral("x"), qint32(0), QStringLiteral("0")},
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
    EXPECT_EQ(blank.decimal(longueur), -1.0f);
    EXPECT_EQ(blank.decimal(pointBas), -1.0f);
    EXPECT_EQ(blank.text(dateNaufrage), QStringLiteral("--/--/----"));
    EXPECT_EQ(blank.text(gps), QStringLiteral("00°00.000' N 000°00.000' E"));
    EXPECT_TRUE(blank.date(miseAJour).isValid());
    EXPECT_FALSE(blank.image(photo));
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
    const struct {
        const char* column;
        int field;
        V value;
        QString text;
        QString colour;
    } rows[] = {
        {"longueur", longueur, 12.0f, QStringLiteral("12.0 m"), QStringLiteral("-")},
        {"longueur", longueur, 0.5f, QStringLiteral("-"), QStringLiteral("-")},
        {"longueur", longueur, -1.0f, QStringLiteral("-"), QStringLiteral("-")},
        {"pointHaut", pointHaut, -1.0f, QStringLiteral("-"), QStringLiteral("-")},
        {"pointBas", pointBas, 12.5f, QStringLiteral("12.5 m"), QStringLiteral("-")},
        {"propulsion", propulsion, qint32(2), QStringLiteral("Diesel"), QStringLiteral("-")},
        {"propulsion", propulsion, qint32(0), QStringLiteral("N/A"), QStringLiteral("-")},
        {"propulsion", propulsion, qint32(10), QStringLiteral("N/A"), QStringLiteral("-")},
        {"interet", interet, qint32(0), QStringLiteral("Not rated"), QStringLiteral("-")},
        {"interet", interet, qint32(3), QStringLiteral("***"), QStringLiteral("0.6,0.4,0.2")},
        {"technicite", technicite, qint32(1), QStringLiteral("*"), QStringLiteral("0,1,0")},
        {"technicite", technicite, qint32(4), QStringLiteral("****"), QStringLiteral("0.5,0,0.5")},
        {"technicite", technicite, qint32(5), QStringLiteral("*****"), QStringLiteral("-")},
        {"nom", aVisiter, qint32(1), QString(), QStringLiteral("1,0,0")},
    };
    for (const auto& row : rows) {
        RegisterRecord r(schema());
        r.setValue(row.field, row.value);
        const auto column = std::find_if(wrecks().columns.begin(), wrecks().columns.end(),
                                         [&](const registers::Column& c) { return c.id == QLatin1String(row.column); });
        ASSERT_NE(column, wrecks().columns.end()) << row.column;
        EXPECT_EQ(registertable::text(*column, r, context->localizer()), row.text) << row.column;
        EXPECT_EQ(hex(registertable::colour(*column, r)), row.colour) << row.column;
    }
}

TEST_F(RegistersTest, AddingLeavesNoSelectionAndABlankForm)
{
    EXPECT_EQ(doc->countText(), QStringLiteral("0 cards"));
    addCard(QStringLiteral("Alpha"));
    EXPECT_EQ(doc->countText(), QStringLiteral("1 card"));
    addCard(QStringLiteral("Bravo"));
    addCard(QStringLiteral("Charlie"));
    EXPECT_EQ(names(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_EQ(doc->currentIndex(), -1);
    EXPECT_TRUE(doc->form().text(nom).isEmpty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->countText(), QStringLiteral("3 cards"));
}

TEST_F(RegistersTest, GuardsNeverStoreOverAnotherCard)
{
    for (const char* n : {"Alpha", "Bravo", "Charlie"})
        addCard(QLatin1String(n));

    // Insert and update with nothing selected: an alert, and no change.
    type("nom", QStringLiteral("Delta"));
    EXPECT_FALSE(doc->insertRecord());
    EXPECT_FALSE(doc->updateRecord());
    EXPECT_EQ(alertKeys(), (QStringList{"No card selected", "No card selected"}));
    EXPECT_EQ(names(), (QStringList{"Alpha", "Bravo", "Charlie"}));

    // A new card being typed survives choosing the row to insert it before
    // and closing the window; Insert puts it before that row.
    doc->newRecord();
    type("nom", QStringLiteral("Delta"));
    doc->setSelection({1}, 1);
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
