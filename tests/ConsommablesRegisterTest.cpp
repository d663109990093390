#include "registers/ConsommablesFields.h"
#include "registers/ConsommablesRegister.h"
#include "registers/RegisterArchive.h"
#include "support/RegisterFixture.h"
#include "support/RegisterTesting.h"

using namespace registertesting;

using namespace consommables;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& parts() { return consommables::description(); }

V writtenValue(int field)
{
    switch (schema().field(field).kind) {
    case registers::FieldKind::Int: return qint32(1);
    case registers::FieldKind::Float: return float(field == stock ? 12 : 3);
    case registers::FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(field));
    case registers::FieldKind::Date: return QDateTime(QDate(2020, 2, 29), QTime(9, 0));
    default: return RegisterRecord::freshValue(schema().field(field).kind);
    }
}

using ConsommablesTest = RegisterFixture<consommables::description>;

} // namespace

TEST(ConsommablesArchive, EveryVersionReadsItsStockAsDecimals)
{
    for (int version = 1; version <= kClassVersion; ++version) {
        const auto read = registerarchive::decode(parts(), olderFile(parts(), version, writtenValue));
        ASSERT_TRUE(read) << version << ": " << read.error().toStdString();
        for (int f = 0; f < FieldCount; ++f)
            EXPECT_EQ(read->first().value(f), writtenValue(f)) << "version " << version << ", " << schema().field(f).name;
    }
}

TEST_F(ConsommablesTest, LevelColoursAndFormRules)
{
    // The cells: reference, stock and level with their colours.
    const struct { QStringList typed; const char* cells; const char* derived; } rows[] = {
        {{"reference=OR-1", "stock=2", "reserve=5"}, "OR-1 rgba(1,0,0,1)|2 rgba(1,0,0,1)|4.000000",
         "dateInventaire.visible=false progress=4 progressText=4.000000"},
        {{"reference=OR-2", "stock=5", "reserve=5", "noInventaire=0"}, "OR-2 rgba(1,0.5,0,1)|5|10.000000",
         "dateInventaire.visible=true progress=10 progressText=10.000000"},
        {{"reference=OR-3", "stock=3", "reserve=0"}, "OR-3|3|30.000000",
         "dateInventaire.visible=false progress=30 progressText=30.000000"},
        {{"reference=OR-4", "stock=0", "reserve=0"}, "OR-4 rgba(1,0.5,0,1)|0|0.000000",
         "dateInventaire.visible=false progress=0 progressText=0.000000"},
        {{"reference=OR-5", "stock=7,5", "reserve=-"}, "OR-5|7.5|75.000000",
         "dateInventaire.visible=false progress=75 progressText=75.000000"},
    };
    const auto cell = [&](const RegisterRecord& r, const char* id) {
        const registers::Column& c = columnNamed(parts(), id);
        const auto colour = registertable::colour(c, r);
        return registertable::text(c, r, context->localizer()) + (colour ? u' ' + colour->toText() : QString());
    };
    for (const auto& row : rows) {
        const RegisterRecord r = typedCard(doc->form(), row.typed);
        EXPECT_EQ((QStringList{cell(r, "reference"), cell(r, "stock"), cell(r, "progress")}.join(u'|')).toStdString(),
                  row.cells);
        EXPECT_EQ(derivedText(registers::derive(parts().formRules, doc->form(), context->localizer())), row.derived);
    }
    // Blank: no inventory date in the list, the date hidden.
    const RegisterRecord blank = typedCard(doc->form(), {});
    EXPECT_EQ(blank.integer(noInventaire), 1);
    EXPECT_EQ(cell(blank, "dateInventaire"), QString());
    const RegisterRecord soda = typedCard(doc->form(), {"reference=SODA-5", "marque=Sofnolime", "utilisation=Absorbent",
                                                        "stock=4.5", "rangement=Garage", "notes=Dry place."});
    EXPECT_EQ(marked(parts().synthesis(soda, context->localizer())),
              "{k}\n\nReference: {b}SODA-5{k}\nMake: {b}Sofnolime{k}\nUse: {b}Absorbent{k}\nIn stock: {b}4.5{k}\nKept "
              "in: {b}Garage{k}\nRemarks: {b}Dry place.{k}\n\n--------------------");
}
