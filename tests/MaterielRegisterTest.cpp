#include "registers/MaterielFields.h"
#include "registers/MaterielRegister.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterSynthesis.h"
#include "support/RegisterFixture.h"
#include "support/RegisterTesting.h"

using namespace registertesting;

using namespace materiel;
using registers::FieldKind;
using V = RegisterRecord::Value;

namespace {

const registers::RegisterDescription& equipment() { return materiel::description(); }

const QDateTime kWhen(QDate(2021, 4, 9), QTime(0, 0));

V writtenValue(int field)
{
    switch (schema().field(field).kind) {
    case FieldKind::Int: return qint32(field == equipState ? 4 : 1);
    case FieldKind::Float: return float(10 + field);
    case FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(field));
    case FieldKind::Date: return kWhen.addDays(field);
    default: return RegisterRecord::freshValue(schema().field(field).kind);
    }
}

class MaterielTest : public RegisterFixture<materiel::description> {
protected:
    std::string derived() { return derivedText(registers::derive(equipment().formRules, doc->form(), context->localizer())); }
    static QString day(int offset) { return QDate::currentDate().addDays(offset).toString(Qt::ISODate); }
};

} // namespace

TEST(MaterielArchive, EveryVersionReadsWithItsDefaults)
{
    const struct { int version; QString oldDay; QDateTime purchase; } files[] = {
        {1, QStringLiteral("5/3/2009"), QDateTime(QDate(2009, 3, 5), QTime(0, 0))},
        {2, QStringLiteral("15/11/2012"), QDateTime(QDate(2012, 11, 15), QTime(0, 0))},
        {2, QStringLiteral("March 2009"), QDateTime()},
        {3, QString(), kWhen.addDays(dateAchat)},
    };
    for (const auto& file : files) {
        const auto read = registerarchive::decode(
            equipment(), olderFile(QStringLiteral("equipment"), schema(), file.version, writtenValue, file.oldDay));
        ASSERT_TRUE(read) << file.version << ": " << read.error().toStdString();
        const RegisterRecord& r = read->first();
        for (int f = 0; f < FieldCount; ++f) {
            const registers::FieldInfo& info = schema().field(f);
            const V expected = f == dateAchat                ? V(file.purchase)
                               : info.sinceVersion > file.version ? RegisterRecord::freshValue(info.kind)
                                                                  : writtenValue(f);
            EXPECT_EQ(r.value(f), expected) << "version " << file.version << ", field " << info.name;
        }
    }
}

TEST(MaterielShare, ElapsedShareOfTheInspectionPeriod)
{
    const QDateTime last(QDate(2025, 1, 1), QTime(0, 0)), next(QDate(2025, 12, 31), QTime(0, 0));
    // The share in percent, within 0.2.
    const struct { QDateTime last, next, now; double share; bool outOfDate; } cases[] = {
        {last, next, last, 0, false},
        {last, next, QDateTime(QDate(2025, 7, 2), QTime(0, 0)), 50, false},
        {last, next, next.addSecs(-3600), 100, false},
        {last, next, next, 100, true},
        {last, next, QDateTime(QDate(2026, 3, 1), QTime(0, 0)), 116.3, true},
        {last, last, next, 0, false},                 // equal dates: no division by zero
        {next, last, QDateTime(QDate(2025, 6, 1), QTime(0, 0)), 100, true}, // reversed: out of date
        {QDateTime(), next, last, 0, false},
        {noInspectionDay(), noInspectionDay(), last, 0, false},
    };
    for (const auto& c : cases) {
        const double share = inspectionShare(c.last, c.next, c.now);
        EXPECT_NEAR(share, c.share, 0.2) << c.now.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(outOfDate(share), c.outOfDate) << c.now.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(MaterielTest, BlankFormAndRefreshRules)
{
    for (int i = 0; i < 4; ++i)
        doc->addRecord();
    doc->newRecord();
    const RegisterRecord blank = doc->form().store();
    EXPECT_EQ(blank.text(matosNo), QStringLiteral("5"));
    EXPECT_EQ(blank.integer(quantiteMatos), 1);
    EXPECT_EQ(blank.integer(noInspection), 1);
    EXPECT_EQ(blank.date(lastRevision), noInspectionDay());
    EXPECT_FALSE(blank.date(nextRequalification).isValid() && blank.date(nextRequalification) != noInspectionDay());

    const QString hidden = QStringLiteral("lastRevision.visible=false nextRevision.visible=false bloc.visible=false "
                                          "tiv.visible=false firstRequalification.visible=false "
                                          "nextRequalification.visible=false capaciteBloc.visible=false "
                                          "pressionService.visible=false pressionEpreuve.visible=false "
                                          "noTIV.visible=false nomTIV.visible=false ");
    const QString cylinder = QString(hidden).replace(QStringLiteral("false"), QStringLiteral("true"))
                                 .remove(QStringLiteral("noTIV.visible=true nomTIV.visible=true "));
    const struct { QStringList typed; std::string derived; } rows[] = {
        {{}, (hidden + "progress=0 progressText=0 % inspectionStatus=Elapsed time inspectionStatus.colour=-").toStdString()},
        // The switch turns the cylinder options off and resets the dates.
        {{"noInspection=0", "bloc=1", "tiv=1", "lastRevision=" + day(-9), "nextRevision=" + day(9), "noInspection=1"},
         (hidden + "progress=0 progressText=0 % inspectionStatus=Elapsed time inspectionStatus.colour=-").toStdString()},
        {{"noInspection=0", "bloc=1", "lastRevision=" + day(-2000), "nextRevision=" + day(2000)},
         (cylinder + "noTIV.visible=false nomTIV.visible=false progress=50 progressText=50 % "
                     "inspectionStatus=Elapsed time inspectionStatus.colour=-").toStdString()},
        {{"noInspection=0", "bloc=1", "tiv=1", "lastRevision=" + day(10), "nextRevision=" + day(-10)},
         (cylinder + "noTIV.visible=true nomTIV.visible=true progress=100 progressText=100 % "
                     "inspectionStatus=Out of date inspectionStatus.colour=rgba(1,0,0,1)").toStdString()},
    };
    for (const auto& row : rows) {
        const RegisterRecord r = typedCard(doc->form(), row.typed);
        EXPECT_EQ(derived(), row.derived) << row.typed.join(u' ').toStdString();
        EXPECT_TRUE(r.integer(noInspection) != 1 ||
                    (r.date(nextRevision) == noInspectionDay() && r.integer(bloc) == 0 && r.integer(tiv) == 0));
    }
}

TEST_F(MaterielTest, TableTextsColoursAndSynthesis)
{
    const QList<QStringList> cards = {
        {"matosNo=7", "typeMatos=Cylinder 12 l", "marqueMatos=Roth", "dateAchat=2009-03-05", "quantiteMatos=2",
         "prixMatos=320 €", "factureMatos=1", "equipState=0", "noInspection=0", "lastRevision=2024-05-01",
         "nextRevision=2024-05-01", "bloc=1", "capaciteBloc=12.5", "pressionService=232", "pressionEpreuve=348",
         "firstRequalification=05/2009", "nextRequalification=2029-05-01", "tiv=1", "nomTIV=M. Durand",
         "noTIV=TIV 22", "notesMatos=Valve serviced."},
        {"matosNo=8", "typeMatos=Fins", "equipState=6", "dateAchat="},
        {"matosNo=9", "equipState=2"}, {"matosNo=10", "equipState=3"}, {"matosNo=11"},
    };
    QList<RegisterRecord> records;
    for (const QStringList& card : cards)
        records.append(typedCard(doc->form(), card));
    records.last().setValue(equipState, qint32(9)); // a code of no item shows as it stands
    // The state's text and colour; a code of no item as it stands.
    const char* states[] = {"In service rgba(0.12,0.53,0.01,1)", "To replace rgba(1,0.5,0,1)", "Retired rgba(1,0,0,1)",
                            "Given away rgba(0,0,1,1)", "9 -"};
    const registers::Column& state = columnNamed(equipment(), "equipState");
    for (qsizetype i = 0; i < records.size(); ++i) {
        const auto colour = registertable::colour(state, records[i]);
        EXPECT_EQ(registertable::text(state, records[i], context->localizer()) + u' ' + (colour ? colour->toText() : u"-"_qs),
                  QLatin1String(states[i]));
    }
    EXPECT_EQ(marked(equipment().synthesis(records.first(), context->localizer())),
              "{k}\n\nCard No: {b}7{k}\nType: {b}Cylinder 12 l{k}\nMake: {b}Roth{k}\nSerial No: \nBought on: "
              "{b}05/03/2009{k}\nBought at: \nQuantity: {b}2{k}\nPrice: {b}320 €{k}\nInvoice: {b}Yes"
              "{k}\nLast inspection: {b}01/05/2024{k}\nNext inspection: {b}01/05/2024{R}\n\nCylinder{k}\nCapacity (l): "
              "{b}12.5{k}\nService pressure (bar): {b}232{k}\nTest pressure (bar): {b}348{k}\nFirst requalification: "
              "{b}05/2009{k}\nNext requalification: {b}01/05/2029{k}\nVisual inspection by: {b}M. Durand{k}\nVisual "
              "inspection No: {b}TIV 22{k}\nState: {b}In service{k}\nRemarks: {b}Valve serviced.{k}\n\n--------------------");
    EXPECT_EQ(marked(equipment().synthesis(records[1], context->localizer())),
              "{k}\n\nCard No: {b}8{k}\nType: {b}Fins{k}\nMake: \nSerial No: \nBought on: {b}-{k}\nBought "
              "at: \nQuantity: {b}1{k}\nPrice: \nInvoice: {b}No{k}\nState: {b}To replace{k}\nRemarks: "
              "\n\n--------------------");
    // Stored and read back, the requalification keeps its own date.
    const auto back = registerarchive::decode(equipment(), *registerarchive::encode(equipment(), records));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->first().identical(records.first()));
    EXPECT_NE(back->first().date(nextRequalification), back->first().date(lastRevision));
}
