#include "platform/Localizer.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterSynthesis.h"
#include "registers/RegisterTable.h"
#include "registers/StructuresFields.h"
#include "registers/StructuresRegister.h"
#include "support/RegisterTesting.h"

using namespace registertesting;

using namespace structures;
using registers::FieldKind;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& book() { return structures::description(); }

const QDateTime kWhen(QDate(2022, 11, 5), QTime(18, 0));

V writtenValue(int field, const QString& postcode)
{
    return field == codePostal ? V(RegisterRecord::Text(postcode)) : distinctValue(schema(), field, kWhen);
}

} // namespace

TEST(StructuresArchive, PostcodesOfEveryVersion)
{
    const struct { int version; QString written; QString read; } rows[] = {
        {0, u"06400"_qs, u"6400"_qs}, // the old integer lost its leading zero
        {0, u"75001"_qs, u"75001"_qs}, {1, u"06400"_qs, u"06400"_qs}, {1, u"PL1 3DX"_qs, u"PL1 3DX"_qs},
    };
    for (const auto& row : rows) {
        const auto valueOf = [&](int f) { return writtenValue(f, row.written); };
        auto records = registerarchive::decode(book(), olderFile(book(), row.version, valueOf));
        ASSERT_TRUE(records) << row.version << ": " << records.error().toStdString();
        for (int f = 0; f < FieldCount; ++f) {
            const V expected = f == codePostal ? V(RegisterRecord::Text(row.read)) : valueOf(f);
            EXPECT_EQ(records->first().value(f), expected) << row.version << " " << schema().field(f).name;
        }
        // Saved again, the postcode is kept as a text.
        auto again = registerarchive::decode(book(), *registerarchive::encode(book(), *records));
        ASSERT_TRUE(again);
        EXPECT_TRUE(again->first().identical(records->first()));
    }
}

TEST(StructuresForm, BlankValuesAndRatingWords)
{
    // The rating words are those of the budget's quality/price.
    const Localizer loc = Localizer::fromTables(
        {{QStringLiteral("Budget"), {{QStringLiteral("Very bad"), QStringLiteral("w1")}, {QStringLiteral("Good"), QStringLiteral("w4")},
                                     {QStringLiteral("Very good"), QStringLiteral("w5")}}}});
    RegisterForm form(book(), loc);
    const RegisterRecord blank = form.store();
    EXPECT_EQ(blank.integer(type), 0); // the kind pop-up's second item
    for (int f = horaireLundi_1; f <= horaireDimanche_4; ++f)
        EXPECT_EQ(blank.text(f), QStringLiteral("-")) << schema().field(f).name;
    for (int f = bapteme; f <= prixForm_6; ++f)
        EXPECT_TRUE(schema().field(f).kind != FieldKind::Float || blank.decimal(f) == 0.0f) << schema().field(f).name;
    EXPECT_EQ(blank.integer(nbPlongees), 0);
    EXPECT_EQ(blank.text(codePostal), QString());

    // The typed postcode is kept as typed, leading zero and letters.
    EXPECT_EQ(typedCard(form, {"codePostal=06400"}).text(codePostal), QStringLiteral("06400"));

    const std::pair<int, const char*> ratings[] = {{0, "N/A"}, {1, "w1"}, {4, "w4"}, {5, "w5"}, {9, "w5"}};
    for (const auto& [rating, words] : ratings) {
        RegisterForm::ControlValue v = form.value(cotation);
        v.number = rating;
        form.setValue(cotation, v);
        EXPECT_EQ(derivedText(book(), form, loc), std::string("cotationValue=") + words) << rating;
    }
}

TEST(StructuresTexts, TableAndSynthesis)
{
    const Localizer loc(QStringLiteral("en"));
    RegisterForm form(book(), loc);
    const RegisterRecord club = typedCard(
        form, {"nom=CSM", "type=0", "affiliation=FFESSM", "gerant=Marie Dupont", "adresse=1 quai", "codePostal=13007",
               "ville=Marseille", "pays=France", "telephone=04 91", "portable=06 12", "fax=04 92", "url=https://csm.fr",
               "email=club@csm.fr", "cotation=4", "miseAJour=2022-11-05", "plongee_2=Night dive", "prix_2=32.5",
               "prix_3=99", "formation_1=Level 1", "prixForm_1=350", "horaireDimanche_1=09:00", "nbPlongees=42",
               "remarques=Boat at 9."});
    RegisterRecord odd(schema());
    odd.setValue(type, qint32(3));

    EXPECT_EQ(registertable::text(columnNamed(book(), "type"), club, loc), QStringLiteral("Association"));
    EXPECT_EQ(registertable::text(columnNamed(book(), "type"), odd, loc), QString());
    EXPECT_EQ(registertable::colour(columnNamed(book(), "cotation"), club), namedcolours::brown);
    EXPECT_EQ(registertable::colour(columnNamed(book(), "miseAJour"), odd), std::nullopt);

    const StyledText text = registersynthesis::ofAll(book(), {club}, loc, QStringLiteral("/dives/clubs.ondrix"), kWhen);
    EXPECT_EQ(marked(text), "{g}Address book{k}\nName: {b}CSM{k}\nKind: {b}Associative{k}\nAffiliation: {b}FFESSM{k}\n"
              "Manager: {b}Marie Dupont{k}\nAddress: {b}1 quai 13007 Marseille France{k}\nPhone: {b}04 91{k}\n"
              "Mobile: {b}06 12{k}\nFax: {b}04 92{k}\nE-mail: {b}club@csm.fr{k}\nWeb site: {b}https://csm.fr{k}\n"
              "Rating: {b}4{k}\nUpdated on: {b}05/11/2022{k}\nPrices:\n{b}Bapteme : 0.00 €\nNight dive : 32.50 €\n"
              "Level 1 : 350.00 €\n{k}Opening hours:\nMonday: {b}- - - / - - -{k}\nTuesday: {b}- - - / - - -{k}\n"
              "Wednesday: {b}- - - / - - -{k}\nThursday: {b}- - - / - - -{k}\nFriday: {b}- - - / - - -{k}\n"
              "Saturday: {b}- - - / - - -{k}\nSunday: {b}09:00 - - / - - -{k}\nDives made there: {b}42{k}\n"
              "Remarks: {b}Boat at 9.{k}\n------------------------------\n{g}\nFile dir : /dives/clubs.ondrix\n\n"
              "Edition date : 05/11/2022");
    // A kind no item carries prints its label alone; the try-dive price is
    // always written.
    const std::string oddText = marked(book().synthesis(odd, loc));
    EXPECT_NE(oddText.find("\nKind: \nAffiliation: "), std::string::npos) << oddText;
    EXPECT_NE(oddText.find("Bapteme : 0.00 €\n"), std::string::npos) << oddText;
}
