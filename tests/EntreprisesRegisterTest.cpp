#include "registers/AddressBook.h"
#include "registers/EntreprisesFields.h"
#include "registers/EntreprisesRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSynthesis.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"
#include "support/RegisterTesting.h"

using namespace registertesting;

using namespace entreprises;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& firms() { return entreprises::description(); }

const QDateTime kWhen(QDate(2021, 3, 4), QTime(9, 15));

V writtenValue(int field)
{
    return field == codePostal ? V(RegisterRecord::Text(QStringLiteral("75001"))) : distinctValue(schema(), field, kWhen);
}

using FirmsTest = ContextFixture;

} // namespace

TEST(FirmsArchive, EveryVersionReadsWithItsDefaults)
{
    for (int version = 0; version <= kClassVersion; ++version) {
        auto records = registerarchive::decode(firms(), olderFile(firms(), version, writtenValue));
        ASSERT_TRUE(records) << version << ": " << records.error().toStdString();
        const RegisterRecord& r = records->first();
        for (int f = 0; f < FieldCount; ++f) {
            // Before version 3 no rating: it stays 0. The integer postcode of
            // versions 0 and 1 reads as its decimal text.
            const V expected = f == cotation && version < 3 ? V(qint32(0)) : writtenValue(f);
            EXPECT_EQ(r.value(f), expected) << "version " << version << ", field " << schema().field(f).name;
        }
    }
}

TEST(FirmsUpdateAge, ColoursAtTheirBoundaries)
{
    using addressbook::Age;
    const QDateTime now(QDate(2026, 6, 1), QTime(12, 0));
    constexpr qint64 year = addressbook::kYearSeconds;
    const struct { QDateTime date; qint64 age; Age colour; } rows[] = {
        {now, 0, Age::Recent},         {now.addSecs(-(year - 1)), year - 1, Age::Recent},
        {now.addSecs(-year), year, Age::Old}, {now.addSecs(-2 * year), 2 * year, Age::Old},
        {now.addSecs(-2 * year - 1), 2 * year + 1, Age::Stale},
        {now.addDays(30), 0, Age::Recent}, // in the future: age 0, never negative
        {QDateTime(), 0, Age::Recent},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(addressbook::updateAge(row.date, now), row.age) << row.date.toString().toStdString();
        EXPECT_EQ(addressbook::ageOf(row.age), row.colour) << row.age;
    }

    // The list colours the update column by the age today.
    const QDateTime today = QDateTime::currentDateTime();
    const std::pair<QDateTime, std::optional<RgbaColour>> cells[] = {
        {today.addDays(-1), std::nullopt}, {today.addDays(-400), namedcolours::orange},
        {today.addDays(-800), namedcolours::red}, {today.addDays(5), std::nullopt}, {QDateTime(), std::nullopt}};
    for (const auto& [date, colour] : cells) {
        RegisterRecord r(schema());
        r.setValue(miseAJour, date);
        EXPECT_EQ(registertable::colour(columnNamed(firms(), "miseAJour"), r), colour) << date.toString().toStdString();
    }
}

TEST_F(FirmsTest, FormBlanksAndDerives)
{
    // The activities come from the store when a book is made; the count
    // label from table Main.
    settings().setStringList(QStringLiteral("activite"), {QStringLiteral("Shop"), QStringLiteral("Boat hire")});
    auto doc = std::make_unique<RegisterDocument>(*context, firms());
    EXPECT_EQ(context->pickLists().list(PickListId::Activite), (QStringList{"Shop", "Boat hire"}));
    EXPECT_EQ(doc->countText(), QStringLiteral("0 cards"));

    const RegisterRecord blank = doc->form().store();
    for (int f = horaireLundi_1; f <= horaireDimanche_4; ++f)
        EXPECT_EQ(blank.text(f), f >= horaireDimanche_1 ? QStringLiteral("Closed") : QStringLiteral("-"))
            << schema().field(f).name;
    EXPECT_EQ(blank.integer(cotation), 0);
    EXPECT_TRUE(blank.date(miseAJour).isValid());

    const QString old = QDate::currentDate().addDays(-800).toString(QStringLiteral("yyyy-MM-dd"));
    const struct { QStringList typed; const char* derivedStart; const char* colour; } rows[] = {
        {{}, "cotationValue=? miseAJourAge=", "black"},
        {{"cotation=4", "miseAJour=" + old}, "cotationValue=4 miseAJourAge=", "red"},
        {{"miseAJour="}, "cotationValue=? miseAJourAge=0 ", "black"},
    };
    for (const auto& row : rows) {
        typedCard(doc->form(), row.typed);
        const std::string derived = derivedText(firms(), doc->form(), context->localizer());
        EXPECT_EQ(derived.rfind(row.derivedStart, 0), 0u) << derived;
        EXPECT_TRUE(derived.ends_with(std::string(" miseAJourColour=") + row.colour)) << derived;
    }
}

TEST_F(FirmsTest, TableAndSynthesisTexts)
{
    RegisterForm form(firms(), context->localizer());
    const RegisterRecord full = typedCard(
        form, {"entreprise=Bleu Marine", "adresse=3 quai du Port", "codePostal=06400", "ville=Cannes",
                      "pays=France", "telephone=04 93 38 71 02", "fax=04 93 38 71 03", "email=info@bleu.fr",
                      "url=https://bleu.fr", "activite=Shop", "miseAJour=2021-03-04", "cotation=3",
                      "horaireLundi_1=09:00", "horaireLundi_2=12:00", "horaireLundi_3=14:00", "horaireLundi_4=19:00",
                      "remarques=Closed in August."});
    const std::pair<const char*, const char*> texts[] = {
        {"entreprise", "Bleu Marine"}, {"cotation", "***"}, {"miseAJour", "04/03/2021"}, {"ville", "Cannes"}};
    for (const auto& [column, text] : texts)
        EXPECT_EQ(registertable::text(columnNamed(firms(), column), full, context->localizer()), QLatin1String(text)) << column;
    EXPECT_EQ(registertable::colour(columnNamed(firms(), "cotation"), full), namedcolours::brown);
    EXPECT_EQ(registertable::colour(columnNamed(firms(), "cotation"), RegisterRecord(schema())), std::nullopt);

    const StyledText text = registersynthesis::ofAll(firms(), {full}, context->localizer(),
                                                     QStringLiteral("/dives/firms.ondrix"), kWhen);
    EXPECT_EQ(marked(text), "{g}Address book{k}\n------------------------------\nName: {b}Bleu Marine{k}\n"
              "Address: {b}3 quai du Port 06400 Cannes France{k}\nPhone: {b}04 93 38 71 02{k}\n"
              "Fax: {b}04 93 38 71 03{k}\nE-mail: {b}info@bleu.fr{k}\nWeb site: {b}https://bleu.fr{k}\n"
              "Activity: {b}Shop{k}\nOpening hours:\nMonday: {b}09:00 - 12:00 / 14:00 - 19:00{k}\n"
              "Tuesday: {b}- - - / - - -{k}\nWednesday: {b}- - - / - - -{k}\nThursday: {b}- - - / - - -{k}\n"
              "Friday: {b}- - - / - - -{k}\nSaturday: {b}- - - / - - -{k}\n"
              "Sunday: {b}Closed - Closed / Closed - Closed{k}\nRemarks: {b}Closed in August.{k}\n"
              "Updated on: {b}04/03/2021{g}\nFile dir : /dives/firms.ondrix\n\nEdition date : 04/03/2021");
}
