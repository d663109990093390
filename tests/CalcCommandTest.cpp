#include "app/cli/CalcCommand.h"
#include "platform/Localizer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

struct CalcRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

Localizer testTexts()
{
    Localizer::Tables tables;
    tables[QStringLiteral("Nitrox")] = {{QStringLiteral("Best Mix"), QStringLiteral("Best mix : %.2f %% O2")}};
    tables[QStringLiteral("Rebreather")] = {
        {QStringLiteral("Breathed frac"), QStringLiteral("Breathed oxygen : %.2f %%")},
        {QStringLiteral("Table breathed frac"), QStringLiteral("%.1f l/min : %.2f %%")},
        {QStringLiteral("Table no value"), QStringLiteral("%.1f l/min : no valid data")},
    };
    tables[QStringLiteral("Main")] = {{QStringLiteral("No valid datas"), QStringLiteral("No valid data")}};
    return Localizer::fromTables(tables);
}

CalcRun calc(const QStringList& args)
{
    CalcRun r;
    r.status = runCalcCommand(args, r.out, r.err, testTexts());
    return r;
}

QStringList words(const char* text) { return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts); }

} // namespace

TEST(CalcCommand, PrintsEveryOutputAsJson)
{
    const CalcRun r = calc(words("profMax fracO2Field=32 ppO2PopUp=2"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("{\"resultatField\":\"MOD : 33.8 m\"}\n"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(CalcCommand, TextsAsTyped)
{
    const struct {
        QStringList args;
        const char* field;
        const char* text;
    } cases[] = {
        {words("bestMix profondeurMaxField=30"), "resultatField", "Best mix : 35.00 % O2"},
        {words("bestMix profondeurMaxField=30 ppO2PopUp="), "resultatField", "Best mix : 35.00 % O2"},
        {words("profEquivalente fracO2Field=40 profondeurField=0"), "resultatField", "EAD : -2.4 m"},
        {{QStringLiteral("profMax"), QStringLiteral("fracO2Field=32 %"), QStringLiteral("ppO2PopUp=4")}, "resultatField", "MOD : 40.0 m"},
        {words("profMax fracO2Field=32 fracO2Field=40 ppO2PopUp=4"), "resultatField", "MOD : 30.0 m"}, // the last one typed
        {words("calcSodaTime sodaWeightField=2.5 sodaCapacityField=100"), "sodaTimeField", "No valid data"},
        {words("convertir conversionsTabView=longueur metresField=10"), "feetField", "32.808334"},
        {words("convertir conversionsTabView=temperature choixTemperatureMatrix=1 celsiusField=-40"), "kelvinField", "233.15"},
        {words("convertGPS2 geodesiePopUp=0 longitude_inField=5 latitude_inField=43"), "latitude_outField", "42.998968"},
        {words("convertGPS latitude_in_degreeField=45"), "longitude_outField", "WGS84 -0\u00b0 0' 3.393''"},
        {words("convertGPS latitude_in_degreeField=45"), "altitude_outField", "66.9 m"},
        // Split at the first "=": "3=2" is no number.
        {{QStringLiteral("profMax"), QStringLiteral("fracO2Field=3=2")}, "resultatField", "No valid data"},
        {words("profMax fracO2Field=32,5"), "resultatField", "MOD : 33.1 m"},
        {words("calcBestTx depthTxField=60 ENDField=30 ppO2Field=0"), "resultatField", "No valid data"},
    };
    for (const auto& c : cases) {
        const CalcRun r = calc(c.args);
        ASSERT_EQ(r.status, 0) << c.args.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.json().value(QLatin1String(c.field)).toString(), QString::fromUtf8(c.text)) << c.args.join(u' ').toStdString();
    }
}

TEST(CalcCommand, ColoursFollowTheirTexts)
{
    const CalcRun r = calc(words("calcBreathedFracO2 brEanxField=100 brFlowField=1.2 brMetabolicField=1"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = r.json();
    EXPECT_EQ(o.value(QStringLiteral("breathedFracO2Field")).toString(), QStringLiteral("Breathed oxygen : 100.00 %"));
    EXPECT_EQ(o.value(QStringLiteral("c08Field")).toString(), QStringLiteral("0.8 l/min : 100.00 %"));
    EXPECT_EQ(o.value(QStringLiteral("c08Field.colour")).toString(), QStringLiteral("#000000"));
    // Undefined at 1.2: no figure, and the colour is left as it was.
    EXPECT_EQ(o.value(QStringLiteral("c12Field")).toString(), QStringLiteral("1.2 l/min : no valid data"));
    EXPECT_EQ(o.value(QStringLiteral("c12Field.colour")).toString(), QStringLiteral("-"));
    // Above the flow: consumption above the supply, impossible, red.
    EXPECT_EQ(o.value(QStringLiteral("c13Field.colour")).toString(), QStringLiteral("#ff0000"));
    EXPECT_EQ(o.value(QStringLiteral("breathedFracO2Field.colour")).toString(), QStringLiteral("#000000"));
    EXPECT_EQ(o.size(), 12 * 2);
    // Each colour right after its text.
    EXPECT_TRUE(r.out.contains("\"c08Field\":\"0.8 l/min : 100.00 %\",\"c08Field.colour\":\"#000000\",\"c09Field\""));
}

TEST(CalcCommand, ListNamesEveryAction)
{
    const CalcRun r = calc({QStringLiteral("--list")});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = r.json();
    EXPECT_EQ(o.size(), 14);
    const QJsonObject profMax = o.value(QStringLiteral("profMax")).toObject();
    EXPECT_EQ(profMax.value(QStringLiteral("window")).toString(), QStringLiteral("Nitrox Prof Max"));
    EXPECT_EQ(profMax.value(QStringLiteral("command")).toString(), QStringLiteral("displayProfMaxWindow"));
    EXPECT_EQ(profMax.value(QStringLiteral("inputs")).toArray(),
              (QJsonArray{QStringLiteral("fracO2Field"), QStringLiteral("ppO2PopUp")}));
    EXPECT_EQ(profMax.value(QStringLiteral("outputs")).toArray(), QJsonArray{QStringLiteral("resultatField")});
    EXPECT_EQ(profMax.value(QStringLiteral("choices")).toObject().value(QStringLiteral("ppO2PopUp")).toObject().value(
                  QStringLiteral("4")),
              QStringLiteral("1.6 bar"));
    const QJsonObject flow = o.value(QStringLiteral("calcIdealFlow")).toObject();
    EXPECT_EQ(flow.value(QStringLiteral("outputs")).toArray().size(), 12);
    EXPECT_EQ(flow.value(QStringLiteral("coloured")).toArray().size(), 12);
    EXPECT_EQ(flow.value(QStringLiteral("coloured")).toArray().at(1).toString(), QStringLiteral("d08Field"));
    EXPECT_EQ(o.value(QStringLiteral("convertir")).toObject().value(QStringLiteral("inputs")).toArray().size(), 18);
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
        const CalcRun r = calc(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(u' ').toStdString();
        const QByteArray expected = c.status == 2 ? QByteArray(c.message) + "Try 'ondrix-cli --help'.\n" : QByteArray(c.message);
        EXPECT_EQ(r.err, expected) << c.args.join(u' ').toStdString();
    }
}

TEST(CalcCommand, UsesTheEnvironmentsTextsByDefault)
{
    // The fixed formats are the same in every language.
    QByteArray out, err;
    ASSERT_EQ(runCalcCommand(words("profMax fracO2Field=32"), out, err), 0);
    EXPECT_EQ(out, QByteArray("{\"resultatField\":\"MOD : 33.8 m\"}\n"));
}
