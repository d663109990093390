#include "registers/RebreatherFields.h"
#include "registers/RebreatherRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterSynthesis.h"
#include "support/RegisterFixture.h"
#include "support/RegisterTesting.h"

#include <QHash>

using namespace registertesting;

using namespace rebreather;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& log() { return rebreather::description(); }

const QDateTime kFitted(QDate(2024, 2, 1), QTime(0, 0));

// Distinct per field, each date its own day.
V writtenValue(int f)
{
    return schema().field(f).kind == registers::FieldKind::Date ? V(kFitted.addDays(f)) : distinctValue(schema(), f, kFitted);
}

class RebreatherTest : public RegisterFixture<rebreather::description> {
protected:
    QHash<QString, decltype(registers::DerivedValue::value)> derived()
    {
        QHash<QString, decltype(registers::DerivedValue::value)> out;
        for (const registers::DerivedValue& d : registers::derive(log().formRules, doc->form(), context->localizer()))
            out.insert(d.name, d.value);
        return out;
    }
};

} // namespace

TEST(RebreatherArchive, OlderVersionsLeaveTheLaterFieldsEmpty)
{
    for (int version = 1; version <= kClassVersion; ++version) {
        auto records = registerarchive::decode(log(), olderFile(u"rebreather"_qs, schema(), version, writtenValue));
        ASSERT_TRUE(records) << version << ": " << records.error().toStdString();
        for (int f = 0; f < FieldCount; ++f) {
            const registers::FieldInfo& info = schema().field(f);
            const V expected = info.sinceVersion > version ? RegisterRecord::freshValue(info.kind) : writtenValue(f);
            EXPECT_EQ(records->first().value(f), expected) << "version " << version << ", " << info.name;
        }
    }
}

TEST_F(RebreatherTest, CellLifeEndAndShare)
{
    const QDate today = QDate::currentDate();
    // A life of 0 stores no setting; shown: the end of life and bar; the
    // end of cell 1's life, and its share in percent from lowest to highest.
    const struct { int lifeMonths; QStringList typed; bool shown; QString end; qint64 lowest, highest; } rows[] = {
        {18, {"cell1=1", "cell1_in=" + today.addMonths(-9).toString(Qt::ISODate)}, true, {}, 48, 52},
        {18, {"cell1=1", "cell1_in=" + today.toString(Qt::ISODate)}, true, {}, -1, 1},
        {18, {"cell1=1", "cell1_in=" + today.addMonths(-18).toString(Qt::ISODate)}, true, {}, 98, 102},
        {18, {"cell1=1", "cell1_in=" + today.addMonths(-27).toString(Qt::ISODate)}, true, {}, 148, 152},
        {18, {"cell1=1", "cell1_in=2024-02-01"}, true, QStringLiteral("01/08/2025"), 0, 1000},
        {0, {"cell1=1", "cell1_in=2024-02-01"}, true, QString(), 0, 0},
        {-3, {"cell1=1", "cell1_in=2024-02-01"}, true, QString(), 0, 0},
        {18, {"cell1=1"}, false, QString(), 0, 0},            // never fitted: 1 January 1900
        {18, {"cell1=1", "cell1_in="}, false, QString(), 0, 0}, // the date cleared
        {18, {"cell1=0", "cell1_in=2024-02-01"}, false, QStringLiteral("01/08/2025"), 0, 1000},
    };
    for (const auto& row : rows) {
        const std::string what = QString::number(row.lifeMonths).toStdString() + " " + row.typed.join(u' ').toStdString();
        if (row.lifeMonths == 0)
            settings().remove(QStringLiteral("cell life"));
        else
            settings().setValue(QStringLiteral("cell life"), row.lifeMonths);
        doc->form().load(typed(row.typed));
        const auto d = derived();
        EXPECT_EQ(std::get<bool>(d[QStringLiteral("cell1_in.visible")]), doc->form().number(cell1) == 1) << what;
        EXPECT_EQ(std::get<bool>(d[QStringLiteral("cell1End.visible")]), row.shown) << what;
        EXPECT_EQ(std::get<bool>(d[QStringLiteral("cell1Life.visible")]), row.shown) << what;
        const qint64 share = std::get<qint64>(d[QStringLiteral("cell1Life")]);
        EXPECT_GE(share, row.lowest) << what;
        EXPECT_LE(share, row.highest) << what;
        const QString end = std::get<QString>(d[QStringLiteral("cell1End")]);
        if (row.lifeMonths == 18 && row.end.isEmpty() && row.shown)
            EXPECT_EQ(end, registertable::dayText(doc->form().value(cell1_in).date.addSecs(18 * 2'629'800LL))) << what;
        else
            EXPECT_EQ(end, row.end) << what;
    }
}

TEST_F(RebreatherTest, BlankFormColumnsAndCount)
{
    const RegisterRecord blank = typed({});
    EXPECT_EQ(blank.text(rebreatherTime), QStringLiteral("--:--"));
    EXPECT_EQ(blank.date(sofnoTime), QDateTime(QDate(2001, 1, 1), QTime(0, 0)));
    for (const int f : {cell1_in, cell2_in, cell3_in, cell4_in, cell5_in})
        EXPECT_EQ(blank.date(f), QDateTime(QDate(1900, 1, 1), QTime(0, 0)));
    doc->form().load(blank);
    EXPECT_FALSE(std::get<bool>(derived()[QStringLiteral("nbCells.enabled")]));

    const struct { QStringList typed; const char* column; const char* text; } rows[] = {
        {{"nbCells=0"}, "nbCells", ""},         {{"nbCells=3"}, "nbCells", "3"},
        {{"mpO2Value=0"}, "mpO2Value", ""},     {{"mpO2Value=9,5"}, "mpO2Value", "9.5"},
        {{"sofnoTime=2:30"}, "sofnoTime", "02:30"}, {{"date="}, "date", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(cell(typed(row.typed), row.column), QString::fromUtf8(row.text)) << row.column;
    EXPECT_EQ(doc->countText(), QStringLiteral("0 interventions"));
    doc->newRecord();
    doc->addRecord();
    EXPECT_EQ(doc->countText(), QStringLiteral("1 intervention"));
}

TEST_F(RebreatherTest, SynthesisText)
{
    const QList<RegisterRecord> records = {
        typed({"date=2025-06-01", "rebreatherTime=96", "sofnoTime=3:05", "sofnolime=1", "mpO2=1", "mpO2Value=9.5",
               "scrubber=1", "notes=Ok"}),
        typed({"date=", "sofnoTime="}),
    };
    const StyledText text = registersynthesis::ofAll(log(), records, context->localizer(), QStringLiteral("/r"),
                                                     QDateTime(QDate(2025, 7, 1), QTime(8, 0)));
    EXPECT_EQ(marked(text),
              "{g}Rebreather service log{k}\n--------------------\nDate: {b}01/06/2025{k}\nRebreather time: {b}96 h\n"
              "Absorbent time : 3 h 5 min{k}\nAbsorbent changed\nO2 intermediate pressure{b} : 9.5 bar{k}\n"
              "Scrubber serviced{R}\n\nRemarks\n{b}Ok{k}\n--------------------\nDate: \nRebreather time: "
              "{b}--:-- h{R}\n\nRemarks\n{k}\n--------------------\n{g}\nFile dir : /r\n\nEdition date : 01/07/2025");
}
