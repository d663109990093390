#include "app/cli/CalcCommand.h"
#include "platform/Localizer.h"
#include "support/CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QJsonObject json(const CliRun& r) { return QJsonDocument::fromJson(r.out).object(); }

CliRun calc(const QStringList& args)
{
    CliRun r;
    r.status = runCalcCommand(args, r.out, r.err, Localizer(QStringLiteral("en"))); // the shipped English texts
    return r;
}

QStringList words(const char* text) { return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts); }

} // namespace

TEST(CalcCommand, PrintsEveryOutputAsJson)
{
    const CliRun r = calc(words("profMax fracO2Field=32 ppO2PopUp=2"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("{\"resultatField\":\"MOD : 33.8 m\"}\n"));
    EXPECT_TRUE(r.err.isEmpty());
    // By default with the environment's texts; the fixed formats are the
    // same in every language.
    const CliRun byDefault = runCli(words("calc profMax fracO2Field=32"));
    EXPECT_EQ(byDefault.out, r.out);
}

TEST(CalcCommand, TextsAsTyped)
{
    const struct {
        QStringList args;
        const char* field;
        const char* text;
    } cases[] = {
        {words("bestMix profondeurMaxField=30 ppO2PopUp="), "resultatField", "Best mix : 35.00 % O2"},
        {{QStringLiteral("profMax"), QStringLiteral("fracO2Field=32 %"), QStringLiteral("ppO2PopUp=4")}, "resultatField", "MOD : 40.0 m"},
        {words("profMax fracO2Field=32 fracO2Field=40 ppO2PopUp=4"), "resultatField", "MOD : 30.0 m"}, // the last one typed
        {words("convertGPS latitude_in_degreeField=45"), "longitude_outField", "WGS84 -0\u00b0 0' 3.393''"},
        // Split at the first "=": "3=2" is no number.
        {{QStringLiteral("profMax"), QStringLiteral("fracO2Field=3=2")}, "resultatField", "No valid data"},
    };
    for (const auto& c : cases) {
        const CliRun r = calc(c.args);
        ASSERT_EQ(r.status, 0) << c.args.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(json(r).value(QLatin1String(c.field)).toString(), QString::fromUtf8(c.text)) << c.args.join(u' ').toStdString();
    }
}

// Each coloured output is followed by its colour, "-" where the action
// leaves it as it was; --list names every action with its fields.
TEST(CalcCommand, ColoursAndList)
{
    const CliRun r = calc(words("calcBreathedFracO2 brEanxField=100 brFlowField=1.2 brMetabolicField=1"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"c08Field\":\"0.8 l/min : 100.00 %\",\"c08Field.colour\":\"#000000\",\"c09Field\""));
    EXPECT_TRUE(r.out.contains("\"c12Field\":\"1.2 l/min : no valid data\",\"c12Field.colour\":\"-\","));
    EXPECT_EQ(json(r).value(QStringLiteral("c13Field.colour")).toString(), QStringLiteral("#ff0000"));
    EXPECT_EQ(json(r).size(), 12 * 2);

    const QJsonObject o = json(calc({QStringLiteral("--list")}));
    EXPECT_EQ(o.size(), 14);
    EXPECT_EQ(QJsonDocument(o.value(QStringLiteral("profMax")).toObject()).toJson(QJsonDocument::Compact),
              QByteArray(R"({"choices":{"ppO2PopUp":{"0":"1.2 bar","1":"1.3 bar","2":"1.4 bar","3":"1.5 bar","4":"1.6 bar"}},)"
                         R"("coloured":[],"command":"displayProfMaxWindow","inputs":["fracO2Field","ppO2PopUp"],)"
                         R"("outputs":["resultatField"],"window":"Nitrox Prof Max"})"));
    const QJsonObject flow = o.value(QStringLiteral("calcIdealFlow")).toObject();
    EXPECT_EQ(flow.value(QStringLiteral("coloured")).toArray().at(1).toString(), QStringLiteral("d08Field"));
}

TEST(CalcCommand, RefusalsAndUsageErrors)
{
    const struct {
        QStringList args;
        int status;
        const char* message;
    } cases[] = {
        {{}, 2, "ondrix-cli: calc takes ACTION [FIELD=TEXT ...] or --list\n"},
        {words("profMax:"), 2, "ondrix-cli: unknown calculator action \"profMax:\" (calc --list names them)\n"},
        {words("profMax resultatField=3"), 2, "ondrix-cli: profMax has no input field \"resultatField\"\n"},
        {words("profMax winFO2=3"), 2, "ondrix-cli: profMax has no input field \"winFO2\"\n"},
        {words("profMax 32"), 2, "ondrix-cli: \"32\" is not FIELD=TEXT\n"},
        {words("profMax =32"), 2, "ondrix-cli: \"=32\" is not FIELD=TEXT\n"},
        {words("--list profMax"), 2, "ondrix-cli: calc --list takes nothing more\n"},
        {words("profMax ppO2PopUp=5"), 1, "ondrix-cli: ppO2PopUp: no item \"5\" (the items are 0, 1, 2, 3, 4)\n"},
        {words("convertGPS2 geodesiePopUp=2"), 1, "ondrix-cli: geodesiePopUp: no item \"2\" (the items are 0, 1)\n"},
        {words("convertir conversionsTabView=0"), 1,
         "ondrix-cli: conversionsTabView: no item \"0\" (the items are pression, volume, longueur, masse, temperature)\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = calc(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(u' ').toStdString();
        const QByteArray expected = c.status == 2 ? QByteArray(c.message) + "Try 'ondrix-cli --help'.\n" : QByteArray(c.message);
        EXPECT_EQ(r.err, expected) << c.args.join(u' ').toStdString();
    }
}
