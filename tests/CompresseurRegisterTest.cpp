#include "registers/CompresseurFields.h"
#include "registers/CompresseurRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterGenerator.h"
#include "registers/RegisterSynthesis.h"
#include "support/RegisterFixture.h"
#include "support/RegisterTesting.h"

using namespace registertesting;

using namespace compresseur;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& log() { return compresseur::description(); }

using CompresseurTest = RegisterFixture<compresseur::description>;

} // namespace

TEST(CompresseurArchive, VersionOneReadsEveryFieldAndNewerIsRefused)
{
    const auto value = [](int f) -> V {
        switch (schema().field(f).kind) {
        case registers::FieldKind::Int: return qint32(f);
        case registers::FieldKind::Float: return f == anCO ? -1.0f : float(f) / 4;
        case registers::FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(f));
        case registers::FieldKind::Date: return QDateTime(QDate(2020, 1, 1 + f), QTime(8, f));
        default: return qint32(0);
        }
    };
    auto records = registerarchive::decode(log(), olderFile(QStringLiteral("compressor"), schema(), 1, QList<registertesting::ValueOf>{value, value}));
    ASSERT_TRUE(records) << records.error().toStdString();
    ASSERT_EQ(records->size(), 2);
    for (int f = 0; f < FieldCount; ++f)
        EXPECT_EQ(records->at(1).value(f), value(f)) << schema().field(f).name;
    EXPECT_FALSE(registerarchive::decode(log(), olderFile(QStringLiteral("compressor"), schema(), 2, value)));
}

TEST_F(CompresseurTest, AnAnalysisNotMeasuredStoresMinusOne)
{
    const struct { QString typed; float stored; const char* shownAgain; } rows[] = {
        {QStringLiteral("-"), -1.0f, "-"},     {QString(), -1.0f, "-"},        {QStringLiteral("abc"), -1.0f, "-"},
        {QStringLiteral("-5"), -1.0f, "-"},    {QStringLiteral("-0.5"), -1.0f, "-"},
        {QStringLiteral("0"), 0.0f, "0"},      {QStringLiteral("-0"), 0.0f, "0"}, {QStringLiteral("0.25"), 0.25f, "0.25"},
        {QStringLiteral("3,5"), 3.5f, "3.5"},  {QStringLiteral(" 12 mg"), 12.0f, "12"},
    };
    for (const auto& row : rows) {
        for (const int field : {anHuile, anCO2, anCO, anH2O}) {
            const RegisterRecord r = typed({QLatin1String(schema().field(field).name) + u'=' + row.typed});
            EXPECT_EQ(r.decimal(field), row.stored) << row.typed.toStdString();
            doc->form().load(r);
            EXPECT_EQ(doc->form().text(field), QLatin1String(row.shownAgain)) << row.typed.toStdString();
        }
    }
    // A blank form measures nothing and has no running time.
    const RegisterRecord blank = typed({});
    EXPECT_EQ(QList<float>({blank.decimal(anHuile), blank.decimal(anCO2), blank.decimal(anCO), blank.decimal(anH2O)}),
              QList<float>(4, -1.0f));
    EXPECT_FALSE(blank.date(temps).isValid());
    EXPECT_EQ(typed({"temps=7:05"}).date(temps), QDateTime(QDate(2001, 1, 1), QTime(7, 5)));
    EXPECT_FALSE(doc->form().typeText(u"temps", QStringLiteral("25:00")));
    EXPECT_FALSE(doc->form().typeText(u"typeHuile", QStringLiteral("2")));
}

TEST_F(CompresseurTest, OperationGroupsFollowTheirSwitches)
{
    // Enabled: oil type, filter operation, valves, charcoal, alumina, sieve.
    const struct { QStringList typed; QList<bool> enabled; } rows[] = {
        {{}, {false, false, false, true, true, true}},
        {{"vidange=1"}, {true, false, false, true, true, true}},
        {{"filtreAir=1", "soupapes=1"}, {false, true, true, true, true, true}},
        {{"cartouche=1"}, {false, false, false, false, false, false}},
    };
    for (const auto& row : rows) {
        doc->form().load(typed(row.typed));
        QList<bool> enabled;
        for (const registers::DerivedValue& d : registers::derive(log().formRules, doc->form(), context->localizer()))
            enabled.append(std::get<bool>(d.value));
        EXPECT_EQ(enabled, row.enabled) << row.typed.join(u' ').toStdString();
    }
}

TEST_F(CompresseurTest, ColumnTextsAndColours)
{
    const struct { QStringList typed; const char* column; const char* text; } rows[] = {
        {{"anCO=3", "anCOUnit=1"}, "anCO", "3 ppm"},         {{"anCO=3", "anCOUnit=0"}, "anCO", "3 ml/m³"},
        {{"anCO2=400.5", "anCO2Unit=1"}, "anCO2", "400.5 ppm"}, {{"anHuile=0.1"}, "anHuile", "0.1 mg/m³"},
        {{"anH2O=25"}, "anH2O", "25 ppm"},                    {{"anH2O=-"}, "anH2O", "-"},
        {{"filtreAir=1", "operationFiltre=0"}, "filtreAir", "Cleaned"},
        {{"filtreAir=1", "operationFiltre=1"}, "filtreAir", "Replaced"},
        {{"filtreAir=0", "operationFiltre=1"}, "filtreAir", ""},
        {{"soupapes=1", "intSoupape=1"}, "soupapes", "Reset"}, {{"soupapes=1", "intSoupape=0"}, "soupapes", "Inspected"},
        {{"vidange=1"}, "vidange", "✓"},                      {{"vidange=0"}, "vidange", ""},
        {{"temps=09:05"}, "temps", "09:05"},                  {{"temps="}, "temps", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(cell(typed(row.typed), row.column), QString::fromUtf8(row.text)) << row.column;
    const RegisterRecord r = typed({"vidange=1"});
    const QStringList checks{"vidange", "cartouche", "charbon", "alumine", "tamis", "depoussierage", "controles"};
    for (const registers::Column& c : log().columns)
        EXPECT_EQ(registertable::colour(c, r), checks.contains(c.id) ? std::optional(namedcolours::green) : std::nullopt)
            << c.id.toStdString();
}

TEST_F(CompresseurTest, SynthesisNumbersTheServices)
{
    const QList<RegisterRecord> services = {
        typed({"marque=Bauer", "modele=Mariner", "cumulTemps=1200 h", "date=2025-03-14", "temps=14:30",
               "vidange=1", "typeHuile=1", "filtreAir=1", "operationFiltre=0", "soupapes=1", "intSoupape=1",
               "anHuile=0.1", "anCO2=-", "anCO=3", "anCOUnit=1", "notes=Fine"}),
        typed({"marque=Other", "date=2025-04-01", "cartouche=1", "vidange=1", "typeHuile=0", "anH2O=0"}),
    };
    const StyledText text = registersynthesis::ofAll(log(), services, context->localizer(), QStringLiteral("/logs/c"),
                                                     QDateTime(QDate(2025, 5, 6), QTime(9, 0)));
    EXPECT_EQ(marked(text),
              "{g}Compressor maintenance\n{k}\nMake: {b}Bauer{k}\nModel: {b}Mariner{k}\n\n"
              "------------------------------\nService no. {b}1\n{k}Date: {b}14/03/2025{k}\nRunning time: "
              "{b}14 h 30 min.{k}\nTotal running time: {b}1200 h{R}\n\nOperations\n{b}Oil change (mineral)\n"
              "Air filter cleaned\n{k}Valves: {b}Reset{R}\nAir analyses\n{k}Oil: {b}0.1{k} mg/m³\nCO: {b}3{k} ppm\n"
              "{R}\n\nRemarks\n{b}Fine{k}\n--------------------\n"
              "Service no. {b}2\n{k}Date: {b}01/04/2025{k}\nRunning time: \nTotal running time: {R}\n\nOperations\n"
              "{b}Oil change (synthetic)\nFilter cartridge changed\n{R}\nAir analyses\n{k}Water: {b}0{k} ppm\n"
              "{R}\n\nRemarks\n{k}\n--------------------\n{g}\nFile dir : /logs/c\n\nEdition date : 06/05/2025");
}

TEST_F(CompresseurTest, OpensOnTheFirstServiceAndSortsByEveryColumn)
{
    ASSERT_TRUE(doc->loadDataRepresentation(*registerarchive::encode(log(), registergenerator::generate(log(), 40, 3)),
                                            QStringLiteral("compressor"), nullptr));
    EXPECT_EQ(doc->currentIndex(), 0);
    EXPECT_EQ(doc->countText(), QStringLiteral("40 services"));
    for (const registers::Column& c : log().columns) {
        doc->sortByColumn(c.id, true);
        const int field = schema().fieldIndex(c.id);
        const std::vector<int> order = registertable::sortOrder(doc->records(), field, true);
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << c.id.toStdString(); // already in order
    }
}
