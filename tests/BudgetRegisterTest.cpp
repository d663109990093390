#include "registers/BudgetFields.h"
#include "registers/BudgetRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSynthesis.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"
#include "support/RegisterTesting.h"

namespace {

class BudgetRegisterTest : public ContextFixture {
protected:
    std::unique_ptr<RegisterForm> form;
    void SetUp() override
    {
        ContextFixture::SetUp();
        form = std::make_unique<RegisterForm>(budget::description(), context->localizer());
    }
    void type(const QStringList& assignments) { registertesting::typedCard(*form, assignments); }
    // One value the form derives, as its text; "?" when it derives none.
    QString derived(const QString& name)
    {
        for (const registers::DerivedValue& d : registers::derive(budget::description().formRules, *form, context->localizer()))
            if (d.name == name)
                return QString::fromStdString(registertesting::derivedText({d})).mid(name.size() + 1);
        return QStringLiteral("?");
    }
};

} // namespace

TEST_F(BudgetRegisterTest, FiguresOfTheForm)
{
    const struct { QStringList typed; const char* total; const char* card1; const char* cardUnitsEnabled; } rows[] = {
        // Line 5 enters no total.
        {{"quantite_0=2", "prixUnitaire_0=50", "quantite_1=1", "prixUnitaire_1=10", "quantite_4=3",
          "prixUnitaire_4=5", "quantite_5=9", "prixUnitaire_5=1000"},
         "125.00", "", "false"},
        {{"prixDegressif=1", "unitesCarte_1=10", "prixCarte_1=180"}, "0.00", "18.00 per unit", "true"},
        {{"unitesCarte_1=1", "prixCarte_1=49,9"}, "0.00", "49.90 per unit", "false"},
        {{"unitesCarte_1=0", "prixCarte_1=180"}, "0.00", "", "false"},
        {{"unitesCarte_1=-2", "prixCarte_1=180"}, "0.00", "", "false"},
        {{"quantite_0=3", "prixUnitaire_0=49.90"}, "149.70", "", "false"},
    };
    for (const auto& row : rows) {
        type(row.typed);
        EXPECT_EQ(derived(QStringLiteral("totalField")), QLatin1String(row.total)) << row.typed.join(u' ').toStdString();
        EXPECT_EQ(derived(QStringLiteral("prixUnitaireCarte_1")), QLatin1String(row.card1));
        EXPECT_EQ(derived(QStringLiteral("unitesCarte_1.enabled")), QLatin1String(row.cardUnitsEnabled));
    }
    // Rating words: N/A, then 1 to 4, the last word above.
    for (const auto& [rating, quality, delay] : {std::tuple{0, "N/A", "N/A"}, {1, "very bad", "very slow"},
                                                {4, "good", "prompt"}, {5, "very good", "very prompt"}}) {
        type({QStringLiteral("qualitePrix=%1").arg(rating), QStringLiteral("delai=%1").arg(rating)});
        EXPECT_EQ(derived(QStringLiteral("qualitePrixValue")), QLatin1String(quality));
        EXPECT_EQ(derived(QStringLiteral("delaiValue")), QLatin1String(delay));
    }
    // A blank form has no update date.
    form->blank();
    EXPECT_FALSE(form->store().date(budget::miseAJour).isValid());
}

TEST_F(BudgetRegisterTest, TableSynthesisAndArchive)
{
    type({"prestation=Nitrox", "quantite_0=2", "prixUnitaire_0=49.90", "supplement_1=Fills", "quantite_1=4",
          "prixUnitaire_1=8.5", "unitesCarte_1=10", "prixCarte_1=180", "prevDepense=1", "entreprise=Aqua Sud",
          "qualitePrix=3", "notes=Boat at 8."});
    const RegisterRecord offer = form->store();
    RegisterRecord odd(budget::schema());
    odd.setValue(budget::qualitePrix, qint32(7));
    const auto cell = [&](const RegisterRecord& r, const char* id) {
        const registers::Column& c = registertesting::columnNamed(budget::description(), id);
        const auto colour = registertable::colour(c, r);
        return registertable::text(c, r, context->localizer()) + u'|' + (colour ? colour->toText() : u"-"_qs);
    };
    const QStringList cells = {cell(offer, "prestation"), cell(offer, "prixUnitaire_0"), cell(offer, "qualitePrix"),
                               cell(offer, "delai"),      cell(odd, "qualitePrix"),      cell(odd, "prestation")};
    EXPECT_EQ(cells, (QStringList{"Nitrox|rgba(1,0,0,1)", "49.90|rgba(1,0,0,1)", "***|rgba(0.6,0.4,0.2,1)", "Not rated|-",
                                  "7|rgba(0.6,0.4,0.2,1)", "|-"}));

    const StyledText text = registersynthesis::ofAll(budget::description(), {offer}, context->localizer(),
                                                     QStringLiteral("/b.budget"), QDateTime(QDate(2026, 1, 2), QTime(9, 0)));
    EXPECT_EQ(text.plainText(),
              QStringLiteral("Budget forecast\n\n--------------------\nService: Nitrox\nUnit price: 49.90  quantity: 2\n"
              "Supplement: Fills 8.50  quantity: 4\nSupplement:  0.00  quantity: 0\nSupplement:  0.00  quantity: 0\n"
              "Supplement:  0.00  quantity: 0\nCard of 10 units at 180.00 €\nCard of 0 units at 0.00 €\n"
              "Card of 0 units at 0.00 €\nCard of 0 units at 0.00 €\nFirm: Aqua Sud\nQuality/price: medium\n"
              "Responsiveness: N/A\nRemarks:\nBoat at 8.\n\nFile dir : /b.budget\n\nEdition date : 02/01/2026"));
    // A rating of no item shows no word.
    EXPECT_TRUE(budget::description().synthesis(odd, context->localizer()).plainText().contains(
        QStringLiteral("Firm: \nQuality/price: \nResponsiveness: N/A\n")));

    auto back = registerarchive::decode(budget::description(), *registerarchive::encode(budget::description(), {offer, odd}));
    ASSERT_TRUE(back) << back.error().toStdString();
    EXPECT_TRUE(back->first().identical(offer));
    EXPECT_TRUE(back->last().identical(odd));
}
