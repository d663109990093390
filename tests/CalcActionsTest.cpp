#include "calculators/CalculatorActions.h"
#include "platform/Localizer.h"

#include <QSet>
#include <gtest/gtest.h>

#include <ostream>

namespace {

// The English formats of the text tables.
Localizer englishTexts()
{
    Localizer::Tables tables;
    tables[QStringLiteral("Nitrox")] = {
        {QStringLiteral("Best Mix"), QStringLiteral("Best mix : %.2f %% O2")},
        {QStringLiteral("Oxygen window"),
         QStringLiteral("Maximum depth (ppO2 1.6 bar) : %.1f m\nMinimum depth : %.1f m\nLimit depth : %.1f m")},
        {QStringLiteral("Oxygen to transfer"), QStringLiteral("Oxygen to add : %.2f bar\nOxygen in the gas added : %.2f %%")},
        {QStringLiteral("No blend"), QStringLiteral("No blend")},
    };
    tables[QStringLiteral("Trimix")] = {
        {QStringLiteral("EAD END"), QStringLiteral("EAD : %.2f m\nEND : %.2f m")},
        {QStringLiteral("Prof min"), QStringLiteral("Minimum depth : %.2f m")},
        {QStringLiteral("Best Tx"), QStringLiteral("Oxygen : %.2f %%\nHelium : %.2f %%")},
        {QStringLiteral("No best Tx"), QStringLiteral("No trimix")},
    };
    tables[QStringLiteral("Rebreather")] = {
        {QStringLiteral("Soda time"), QStringLiteral("Absorbent time : %d h %d min")},
        {QStringLiteral("Breathed frac"), QStringLiteral("Breathed oxygen : %.2f %%")},
        {QStringLiteral("Table breathed frac"), QStringLiteral("%.1f l/min : %.2f %%")},
        {QStringLiteral("Ideal flow"), QStringLiteral("Ideal flow : %.2f l/min")},
        {QStringLiteral("Table flow"), QStringLiteral("%.1f l/min : %.2f l/min")},
    };
    tables[QStringLiteral("Main")] = {{QStringLiteral("No valid datas"), QStringLiteral("No valid data")}};
    return Localizer::fromTables(tables);
}

QHash<QString, QString> typed(std::initializer_list<std::pair<const char*, const char*>> fields)
{
    QHash<QString, QString> h;
    for (const auto& [name, text] : fields)
        h.insert(QLatin1String(name), QString::fromUtf8(text));
    return h;
}

CalculatorResult run(const char* action, const QHash<QString, QString>& inputs, const Localizer& texts = englishTexts())
{
    const CalculatorAction* a = CalculatorActions::find(QLatin1String(action));
    EXPECT_NE(a, nullptr) << action;
    return a ? a->run(inputs, texts) : CalculatorResult{};
}

const RgbaColour kRed = RgbaColour::rgb(1, 0, 0);
const RgbaColour kBlack = RgbaColour::rgb(0, 0, 0);

} // namespace

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

TEST(CalcActions, EveryWindowAndCommand)
{
    const struct {
        const char* action;
        const char* window;
        const char* command;
    } cases[] = {
        {"profMax", "Nitrox Prof Max", "displayProfMaxWindow"},
        {"bestMix", "Nitrox Best Mix", "displayBestMixWindow"},
        {"profEquivalente", "Nitrox Equivalent Depth", "displayEquivalentDepthWindow"},
        {"oxygenWindow", "Nitrox Oxygen Window", "displayOxygenWindow"},
        {"blendNitrox", "Blend Nitrox", "displayBlendNitroxWindow"},
        {"calcEAD_END", "Trimix", "displayTrimixEAD_ENDWindow"},
        {"profMin", "Trimix Prof Min", "displayTrimixProfMinWindow"},
        {"calcBestTx", "Best Trimix", "displayBestTrimix"},
        {"calcSodaTime", "Soda Time", "displaySodaTimeWindow"},
        {"calcBreathedFracO2", "SCR Breathed Frac O2", "displaySCRBreathedFracO2Window"},
        {"calcIdealFlow", "SCR Flow Calc", "displaySCRIdealFlowWindow"},
        {"convertir", "Physique", "displayConversionsWindow"},
        {"convertGPS", "Gps", "displayConversionsGPSWindow"},
        {"convertGPS2", "Gps", "displayConversionsGPSWindow"},
    };
    ASSERT_EQ(CalculatorActions::all().size(), qsizetype(std::size(cases)));
    for (const auto& c : cases) {
        const CalculatorAction* a = CalculatorActions::find(QLatin1String(c.action));
        ASSERT_NE(a, nullptr) << c.action;
        EXPECT_EQ(a->window, QLatin1String(c.window));
        EXPECT_EQ(a->command, QLatin1String(c.command));
        EXPECT_FALSE(a->outputs.isEmpty()) << c.action;
        for (const QString& coloured : a->colouredOutputs)
            EXPECT_TRUE(a->outputs.contains(coloured)) << c.action;
    }
    EXPECT_EQ(CalculatorActions::find(QStringLiteral("profMax:")), nullptr);
    EXPECT_EQ(CalculatorActions::ofWindow(QStringLiteral("Gps")).size(), 2);
}

TEST(CalcActions, ResultTexts)
{
    const struct {
        const char* what;
        const char* action;
        QHash<QString, QString> inputs;
        const char* field;
        const char* text;
    } cases[] = {
        // Maximum depth: a fixed format, one decimal.
        {"32 % at 1.4 bar", "profMax", typed({{"fracO2Field", "32"}, {"ppO2PopUp", "2"}}), "resultatField", "MOD : 33.8 m"},
        {"no limit chosen reads 1.4 bar", "profMax", typed({{"fracO2Field", "32"}}), "resultatField", "MOD : 33.8 m"},
        {"an explicit no selection", "profMax", typed({{"fracO2Field", "32"}, {"ppO2PopUp", "-1"}}), "resultatField", "MOD : 33.8 m"},
        {"1.6 bar", "profMax", typed({{"fracO2Field", "32"}, {"ppO2PopUp", "4"}}), "resultatField", "MOD : 40.0 m"},
        {"1.2 bar", "profMax", typed({{"fracO2Field", "40"}, {"ppO2PopUp", "0"}}), "resultatField", "MOD : 20.0 m"},
        {"no oxygen", "profMax", typed({}), "resultatField", "MOD : inf m"},
        {"leading number of a text", "profMax", typed({{"fracO2Field", " 32 %"}, {"ppO2PopUp", "2"}}), "resultatField", "MOD : 33.8 m"},
        // Best mix
        {"30 m at 1.4 bar", "bestMix", typed({{"profondeurMaxField", "30"}, {"ppO2PopUp", "2"}}), "resultatField", "Best mix : 35.00 % O2"},
        {"30 m, no limit chosen", "bestMix", typed({{"profondeurMaxField", "30"}}), "resultatField", "Best mix : 35.00 % O2"},
        {"40 m at 1.3 bar", "bestMix", typed({{"profondeurMaxField", "40"}, {"ppO2PopUp", "1"}}), "resultatField", "Best mix : 26.00 % O2"},
        // Equivalent air depth, never clamped
        {"40 % at the surface", "profEquivalente", typed({{"fracO2Field", "40"}, {"profondeurField", "0"}}), "resultatField", "EAD : -2.4 m"},
        {"32 % at 30 m", "profEquivalente", typed({{"fracO2Field", "32"}, {"profondeurField", "30"}}), "resultatField", "EAD : 24.4 m"},
        // Oxygen window: maximum, minimum, limit
        {"pure oxygen", "oxygenWindow", typed({{"winFO2", "100"}, {"winMinPpO2", "0.5"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 6.0 m\nMinimum depth : -5.0 m\nLimit depth : 6.0 m"},
        {"32 %", "oxygenWindow", typed({{"winFO2", "32"}, {"winMinPpO2", "0.16"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 40.0 m\nMinimum depth : -5.0 m\nLimit depth : 1.6 m"},
        // Blending
        {"empty tank to 200 bar of 32 %", "blendNitrox",
         typed({{"pressionInitialeField", "0"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "0"}, {"fracO2FinaleField", "32"}}),
         "resultatField", "Oxygen to add : 27.85 bar\nOxygen in the gas added : 32.00 %"},
        {"equal pressures, same mix", "blendNitrox",
         typed({{"pressionInitialeField", "200"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "32"}, {"fracO2FinaleField", "32"}}),
         "resultatField", "Oxygen to add : 0.00 bar\nOxygen in the gas added : nan %"},
        {"negative oxygen is no blend", "blendNitrox",
         typed({{"pressionInitialeField", "100"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "50"}, {"fracO2FinaleField", "21"}}),
         "resultatField", "No blend"},
        {"leaner than air is no blend", "blendNitrox",
         typed({{"pressionFinaleField", "200"}, {"fracO2FinaleField", "18"}}), "resultatField", "No blend"},
        {"more oxygen than the tank takes", "blendNitrox",
         typed({{"pressionInitialeField", "100"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "21"}, {"fracO2FinaleField", "100"}}),
         "resultatField", "No blend"},
        // Trimix
        {"60 m on 18/45", "calcEAD_END", typed({{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}}),
         "resultatField", "EAD : 22.78 m\nEND : 28.50 m"},
        {"shallow on helium", "calcEAD_END", typed({{"profondeurMaxField", "5"}, {"fracO2TxField", "10"}, {"fracHeTxField", "70"}}),
         "resultatField", "EAD : 0.00 m\nEND : -5.50 m"},
        {"10 %", "profMin", typed({{"fracO2TxField", "10"}}), "resultatField", "Minimum depth : 6.00 m"},
        {"16 %", "profMin", typed({{"fracO2TxField", "16"}}), "resultatField", "Minimum depth : 0.00 m"},
        {"1 %", "profMin", typed({{"fracO2TxField", "1"}}), "resultatField", "Minimum depth : 150.00 m"},
        {"0.5 %", "profMin", typed({{"fracO2TxField", "0.5"}}), "resultatField", "No valid data"},
        {"21 %", "profMin", typed({{"fracO2TxField", "21"}}), "resultatField", "No valid data"},
        {"empty", "profMin", typed({}), "resultatField", "No valid data"},
        {"60 m, END 30 m, 1.4 bar", "calcBestTx", typed({{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}),
         "resultatField", "Oxygen : 20.00 %\nHelium : 34.86 %"},
        {"30 m, END 30 m: -14 % helium is no mix", "calcBestTx",
         typed({{"depthTxField", "30"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}), "resultatField", "No trimix"},
        {"30 m, END 30 m, 0.84 bar: a nitrox", "calcBestTx",
         typed({{"depthTxField", "30"}, {"ENDField", "30"}, {"ppO2Field", "0.84"}}), "resultatField", "Oxygen : 21.00 %\nHelium : 0.00 %"},
        // Absorbent
        {"250 minutes", "calcSodaTime", typed({{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "Absorbent time : 4 h 10 min"},
        {"59.9 minutes", "calcSodaTime", typed({{"sodaWeightField", "59.9"}, {"sodaCapacityField", "1"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "Absorbent time : 0 h 59 min"},
        {"no production: infinite", "calcSodaTime", typed({{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}}),
         "sodaTimeField", "No valid data"},
        {"all empty: undefined", "calcSodaTime", typed({}), "sodaTimeField", "No valid data"},
        {"too long for whole hours", "calcSodaTime",
         typed({{"sodaWeightField", "1e12"}, {"sodaCapacityField", "1e3"}, {"metabolicProductionField", "1"}}), "sodaTimeField",
         "No valid data"},
        // Rebreather
        {"40 %, 10 L/min, 1 L/min", "calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "10"}, {"brMetabolicField", "1"}}),
         "breathedFracO2Field", "Breathed oxygen : 33.33 %"},
        {"row 1.3", "calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "10"}, {"brMetabolicField", "1"}}),
         "c13Field", "1.3 l/min : 31.03 %"},
        {"50 %, 1 L/min, 30 %", "calcIdealFlow", typed({{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}),
         "idealFlowField", "Ideal flow : 3.50 l/min"},
        {"row 1.8", "calcIdealFlow", typed({{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}),
         "d18Field", "1.8 l/min : 6.30 l/min"},
        {"row 0.8", "calcIdealFlow", typed({{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}),
         "d08Field", "0.8 l/min : 2.80 l/min"},
    };
    const Localizer texts = englishTexts();
    for (const auto& c : cases) {
        const CalculatorResult r = run(c.action, c.inputs, texts);
        EXPECT_EQ(r.texts.value(QLatin1String(c.field)), QString::fromUtf8(c.text)) << c.what;
    }
}

TEST(CalcActions, BreathedFractionRowsAndColours)
{
    // 40 % at 10 L/min: every row between 26.8 % (1.8) and 34.8 % (0.8), safe.
    CalculatorResult r = run("calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "10"}, {"brMetabolicField", "1"}}));
    const char* rows[] = {"c08Field", "c09Field", "c10Field", "c11Field", "c12Field", "c13Field",
                          "c14Field", "c15Field", "c16Field", "c17Field", "c18Field"};
    for (const char* row : rows) {
        ASSERT_TRUE(r.colours.contains(QLatin1String(row))) << row;
        EXPECT_EQ(r.colours.value(QLatin1String(row)), kBlack) << row;
    }
    EXPECT_EQ(r.texts.value(QStringLiteral("c08Field")), QStringLiteral("0.8 l/min : 34.78 %"));
    EXPECT_EQ(r.texts.value(QStringLiteral("c18Field")), QStringLiteral("1.8 l/min : 26.83 %"));

    // 32 % at 5 L/min: (1.6 - v) / (5 - v) falls below 20.9 % from 1.0 L/min on.
    r = run("calcBreathedFracO2", typed({{"brEanxField", "32"}, {"brFlowField", "5"}, {"brMetabolicField", "1"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("c09Field")), QStringLiteral("0.9 l/min : 17.07 %"));
    EXPECT_EQ(r.colours.value(QStringLiteral("c08Field")), kRed); // 19.05 %
    EXPECT_EQ(r.colours.value(QStringLiteral("c18Field")), kRed);

    // The diver's own value follows the same rule: 1 L/min out of 1.2 L/min
    // of 40 % leaves a negative fraction, red.
    r = run("calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "1.2"}, {"brMetabolicField", "1"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("breathedFracO2Field")), QStringLiteral("Breathed oxygen : -260.00 %"));
    EXPECT_EQ(r.colours.value(QStringLiteral("breathedFracO2Field")), kRed);
    r = run("calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "10"}, {"brMetabolicField", "1"}}));
    EXPECT_EQ(r.colours.value(QStringLiteral("breathedFracO2Field")), kBlack);

    // A flow of 1.2 L/min: the rows above it consume more than the supply,
    // giving fractions above 100 %: impossible, red, not black.
    r = run("calcBreathedFracO2", typed({{"brEanxField", "40"}, {"brFlowField", "1.2"}, {"brMetabolicField", "1"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("c15Field")), QStringLiteral("1.5 l/min : 340.00 %"));
    EXPECT_EQ(r.colours.value(QStringLiteral("c15Field")), kRed);
    EXPECT_EQ(r.colours.value(QStringLiteral("c08Field")), kRed); // (0.48 - 0.8) / 0.4 = -80 %
    // At 1.2 itself the fraction is infinite: danger as well.
    EXPECT_EQ(r.texts.value(QStringLiteral("c12Field")), QStringLiteral("1.2 l/min : -inf %"));
    EXPECT_EQ(r.colours.value(QStringLiteral("c12Field")), kRed);

    // Pure oxygen at a flow equal to a row: 0/0 is undefined, the row keeps
    // its colour (no colour in the result); the other rows read 100 %, safe
    // below the flow, impossible above it.
    r = run("calcBreathedFracO2", typed({{"brEanxField", "100"}, {"brFlowField", "1.2"}, {"brMetabolicField", "1"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("c12Field")), QStringLiteral("1.2 l/min : nan %"));
    EXPECT_FALSE(r.colours.contains(QStringLiteral("c12Field")));
    EXPECT_EQ(r.colours.value(QStringLiteral("c11Field")), kBlack);
    EXPECT_EQ(r.texts.value(QStringLiteral("c13Field")), QStringLiteral("1.3 l/min : 100.00 %"));
    EXPECT_EQ(r.colours.value(QStringLiteral("c13Field")), kRed);
    EXPECT_EQ(r.colours.size(), 11); // the ten defined rows and the diver's own value

    // The flow not typed yet: every row reads 100 % but no gas comes in.
    r = run("calcBreathedFracO2", typed({{"brEanxField", "40"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("c10Field")), QStringLiteral("1.0 l/min : 100.00 %"));
    EXPECT_EQ(r.colours.size(), 11);
    for (const RgbaColour& c : r.colours)
        EXPECT_EQ(c, kRed);
}

TEST(CalcActions, IdealFlowRowsAndColours)
{
    // 50 % for 30 %: 3.5 x v, 2.8 to 6.3 L/min; 0.8 L/min is below 3, red.
    CalculatorResult r = run("calcIdealFlow", typed({{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}));
    EXPECT_EQ(r.colours.value(QStringLiteral("d08Field")), kRed);
    EXPECT_EQ(r.colours.value(QStringLiteral("d09Field")), kBlack); // 3.15
    EXPECT_EQ(r.colours.value(QStringLiteral("idealFlowField")), kBlack); // 3.50
    EXPECT_EQ(r.colours.value(QStringLiteral("d18Field")), kBlack);

    // 32 % for 30 %: 35 x v, 28 to 63 L/min: every row red.
    r = run("calcIdealFlow", typed({{"idEanxField", "32"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}));
    EXPECT_EQ(r.colours.size(), 12);
    for (const RgbaColour& c : r.colours)
        EXPECT_EQ(c, kRed);

    // A supply equal to the wanted fraction: infinite flows, red.
    r = run("calcIdealFlow", typed({{"idEanxField", "30"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}));
    EXPECT_EQ(r.texts.value(QStringLiteral("idealFlowField")), QStringLiteral("Ideal flow : inf l/min"));
    EXPECT_EQ(r.colours.value(QStringLiteral("d10Field")), kRed);

    // 100 % for 100 %: 0/0, no colour set.
    r = run("calcIdealFlow", typed({{"idEanxField", "100"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "100"}}));
    EXPECT_TRUE(r.colours.isEmpty());
}

TEST(CalcActions, UnitConversionsWriteTheOtherFieldsOfTheChosenTab)
{
    const struct {
        const char* what;
        QHash<QString, QString> inputs;
        QHash<QString, QString> expected;
    } cases[] = {
        {"1 bar", typed({{"conversionsTabView", "pression"}, {"choixPressionMatrix", "1"}, {"barField", "1"}}),
         typed({{"barField", "1"}, {"psiField", "14.50377"}})},
        {"100 psi", typed({{"conversionsTabView", "pression"}, {"choixPressionMatrix", "2"}, {"psiField", "100"}, {"barField", "3"}}),
         typed({{"barField", "6.894759"}, {"psiField", "100"}})},
        {"the first tab and the first unit by default", typed({{"barField", "2"}}),
         typed({{"barField", "2"}, {"psiField", "29.00754"}})},
        {"10 m", typed({{"conversionsTabView", "longueur"}, {"choixLongueurMatrix", "1"}, {"metresField", "10"}}),
         typed({{"metresField", "10"}, {"feetField", "32.808334"}})},
        {"1 L", typed({{"conversionsTabView", "volume"}, {"choixVolumeMatrix", "1"}, {"litresField", "1"}}),
         typed({{"litresField", "1"}, {"cubicFeetUSField", "0.035314"}, {"cubicInchesUSField", "61.024"}})},
        {"61.024 in3", typed({{"conversionsTabView", "volume"}, {"choixVolumeMatrix", "3"}, {"cubicInchesUSField", "61.024"}}),
         typed({{"litresField", "0.999998"}, {"cubicFeetUSField", "0.035315"}, {"cubicInchesUSField", "61.024"}})},
        {"-40 C", typed({{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "1"}, {"celsiusField", "-40"}}),
         typed({{"celsiusField", "-40"}, {"farenheitField", "-40"}, {"kelvinField", "233.15"}})},
        {"0 F", typed({{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "2"}, {"farenheitField", "0"}}),
         typed({{"celsiusField", "-17.777778"}, {"farenheitField", "0"}, {"kelvinField", "255.372222"}})},
        {"10 lb", typed({{"conversionsTabView", "masse"}, {"choixMasseMatrix", "2"}, {"livreUSField", "10"}}),
         typed({{"kilogrammeField", "4.535924"}, {"livreUSField", "10"}})},
        {"the typed text stays as typed", typed({{"conversionsTabView", "pression"}, {"barField", "2 bar"}}),
         typed({{"barField", "2 bar"}, {"psiField", "29.00754"}})},
        {"other tabs are untouched", typed({{"conversionsTabView", "masse"}, {"kilogrammeField", "1"}, {"barField", "5"}, {"psiField", "x"}}),
         typed({{"barField", "5"}, {"psiField", "x"}, {"livreUSField", "2.204622"}, {"metresField", ""}})},
        {"a tiny negative result shows 0", typed({{"conversionsTabView", "pression"}, {"barField", "-0.00000001"}}),
         typed({{"psiField", "0"}})},
    };
    for (const auto& c : cases) {
        const CalculatorResult r = run("convertir", c.inputs);
        for (auto it = c.expected.cbegin(); it != c.expected.cend(); ++it)
            EXPECT_EQ(r.texts.value(it.key()), it.value()) << c.what << ": " << it.key().toStdString();
        EXPECT_EQ(r.texts.size(), 12) << c.what;
    }
}

TEST(CalcActions, PreciseGpsConversionTexts)
{
    const struct {
        const char* what;
        QHash<QString, QString> inputs;
        const char* longitude;
        const char* latitude;
        const char* altitude;
    } cases[] = {
        {"0 E, 45 N", typed({{"latitude_in_degreeField", "45"}}), "WGS84 -0\u00b0 0' 3.393''", "WGS84 44\u00b0 59' 56.206''", "66.9 m"},
        {"1 30 W typed with the sign on the degrees",
         typed({{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "30"}, {"latitude_in_degreeField", "48"},
                {"latitude_in_minutesField", "51"}, {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         "WGS84 -1\u00b0 30' 3.801''", "WGS84 48\u00b0 51' 20.508''", "161.3 m"},
        {"the same with every part negative",
         typed({{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "-30"}, {"latitude_in_degreeField", "48"},
                {"latitude_in_minutesField", "51"}, {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         "WGS84 -1\u00b0 30' 3.801''", "WGS84 48\u00b0 51' 20.508''", "161.3 m"},
        {"an infinite input", typed({{"latitude_in_degreeField", "1e999"}}), "No valid data", "No valid data", "nan m"},
    };
    for (const auto& c : cases) {
        const CalculatorResult r = run("convertGPS", c.inputs);
        EXPECT_EQ(r.texts.value(QStringLiteral("longitude_outField")), QString::fromUtf8(c.longitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("latitude_outField")), QString::fromUtf8(c.latitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("altitude_outField")), QString::fromUtf8(c.altitude)) << c.what;
    }
}

TEST(CalcActions, PreciseGpsAccount)
{
    const CalculatorResult r = run("convertGPS", typed({{"latitude_in_degreeField", "45"}, {"altitude_inField", "12.5"}}));
    const QList<CalculatorResult::Run> runs = r.styledTexts.value(QStringLiteral("gpsDataField"));
    ASSERT_FALSE(runs.isEmpty());
    const QString plain = r.texts.value(QStringLiteral("gpsDataField"));
    QStringList titles;
    qsizetype start = 0;
    for (const auto& run : runs) {
        if (run.colour == kRed)
            titles.append(plain.mid(start, run.length));
        start += run.length;
    }
    EXPECT_EQ(start, plain.size()); // the runs cover the whole text
    EXPECT_EQ(titles, (QStringList{QStringLiteral("----- ED50 -----"), QStringLiteral("\n\n----- WGS84 -----")}));
    EXPECT_TRUE(plain.startsWith(QStringLiteral("----- ED50 -----\n  latitude : 45 \u00b0 0 ' 0.000 ''\n  longitude : 0 \u00b0 0 ' 0.000 ''\n"
                                                "  altitude : 12.50 m\n\n  lat (deg.) : 45.0000000000\n  lng (deg.) : 0.0000000000\n\n"
                                                "  lat (rad.) : 0.7853981634\n")))
        << plain.toStdString();
    const QStringList labels = {QStringLiteral("  sin(lat) : 0.7071067812"), QStringLiteral("  cos(lng) : 1.0000000000"),
                                QStringLiteral("  theta : "), QStringLiteral("  lambda : -0.0000164"),
                                QStringLiteral("\n\n  lat (deg.) : 44.99894"), QStringLiteral("\n  lng (deg.) : -0.0009423")};
    for (const QString& label : labels)
        EXPECT_TRUE(plain.contains(label)) << label.toStdString();
    // Labels black, values blue, alternating after each title.
    EXPECT_EQ(runs[1].colour, kBlack);
    EXPECT_EQ(runs[2].colour, RgbaColour::rgb(0, 0, 1));
}

TEST(CalcActions, DecimalGpsConversionTexts)
{
    const struct {
        const char* what;
        QHash<QString, QString> inputs;
        const char* longitude;
        const char* latitude;
        const char* altitude;
    } cases[] = {
        {"ED50 to WGS84", typed({{"geodesiePopUp", "0"}, {"longitude_inField", "5"}, {"latitude_inField", "43"}}),
         "4.998896", "42.998968", "Altitude : 56.43 m"},
        {"the first item by default", typed({{"longitude_inField", "5"}, {"latitude_inField", "43"}}),
         "4.998896", "42.998968", "Altitude : 56.43 m"},
        {"back to ED50", typed({{"geodesiePopUp", "1"}, {"longitude_inField", "4.998895742465293"},
                                {"latitude_inField", "42.99896767386202"}, {"altitude_inField", "56.426477001048625"}}),
         "5.000000", "43.000000", "Altitude : -0.00 m"},
        {"a western longitude stays decimal", typed({{"longitude_inField", "-1.5"}, {"latitude_inField", "48.85"}, {"altitude_inField", "100"}}),
         "-1.501366", "48.849041", "Altitude : 152.62 m"},
    };
    for (const auto& c : cases) {
        const CalculatorResult r = run("convertGPS2", c.inputs);
        EXPECT_EQ(r.texts.value(QStringLiteral("longitude_outField")), QString::fromUtf8(c.longitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("latitude_outField")), QString::fromUtf8(c.latitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("altitude_outField")), QString::fromUtf8(c.altitude)) << c.what;
        EXPECT_FALSE(r.texts.contains(QStringLiteral("gpsDataField")));
    }
}

TEST(CalcActions, MissingTextsFallBack)
{
    // A table without the keys shows the fallback text.
    const Localizer none = Localizer::fromTables({});
    EXPECT_EQ(run("bestMix", typed({{"profondeurMaxField", "30"}}), none).texts.value(QStringLiteral("resultatField")),
              QStringLiteral("error !"));
    EXPECT_EQ(run("profMin", typed({}), none).texts.value(QStringLiteral("resultatField")), QStringLiteral("error !"));
    // The fixed formats do not need the tables.
    EXPECT_EQ(run("profMax", typed({{"fracO2Field", "32"}}), none).texts.value(QStringLiteral("resultatField")),
              QStringLiteral("MOD : 33.8 m"));
}

TEST(CalcActions, ChoiceFields)
{
    const CalculatorAction* a = CalculatorActions::find(QStringLiteral("profMax"));
    const CalculatorField* popUp = a->input(QStringLiteral("ppO2PopUp"));
    ASSERT_NE(popUp, nullptr);
    EXPECT_EQ(popUp->kind, CalculatorField::Kind::Choice);
    ASSERT_EQ(popUp->items.size(), 5);
    EXPECT_EQ(popUp->items[2].title, QStringLiteral("1.4 bar"));
    for (const char* ok : {"0", "4", " 2 ", "", "-1"})
        EXPECT_TRUE(popUp->accepts(QLatin1String(ok))) << ok;
    for (const char* bad : {"5", "1.5", "x", "02"})
        EXPECT_FALSE(popUp->accepts(QLatin1String(bad))) << bad;
    EXPECT_TRUE(a->input(QStringLiteral("fracO2Field"))->accepts(QStringLiteral("anything")));
    EXPECT_EQ(a->input(QStringLiteral("resultatField")), nullptr);

    const CalculatorAction* gps = CalculatorActions::find(QStringLiteral("convertGPS2"));
    EXPECT_FALSE(gps->input(QStringLiteral("geodesiePopUp"))->accepts(QStringLiteral("2")));
    const CalculatorAction* conv = CalculatorActions::find(QStringLiteral("convertir"));
    EXPECT_TRUE(conv->input(QStringLiteral("conversionsTabView"))->accepts(QStringLiteral("temperature")));
    EXPECT_FALSE(conv->input(QStringLiteral("conversionsTabView"))->accepts(QStringLiteral("0")));
    EXPECT_TRUE(conv->input(QStringLiteral("choixVolumeMatrix"))->accepts(QStringLiteral("3")));
    EXPECT_FALSE(conv->input(QStringLiteral("choixPressionMatrix"))->accepts(QStringLiteral("3")));
}

namespace {

// Lines sent to the message log while a test watches it.
QStringList& loggedLines()
{
    static QStringList lines;
    return lines;
}

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message) { loggedLines().append(message); }

} // namespace

TEST(CalcActions, ConversionsKeepThePositionOutOfTheLog)
{
    loggedLines().clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
    run("convertGPS2", typed({{"geodesiePopUp", "0"}, {"longitude_inField", "5"}, {"latitude_inField", "43"}}));
    run("convertGPS2", typed({{"geodesiePopUp", "1"}, {"longitude_inField", "5"}, {"latitude_inField", "43"}}));
    run("convertGPS", typed({{"longitude_in_degreeField", "5"}, {"latitude_in_degreeField", "43"}}));
    qInstallMessageHandler(previous);
    EXPECT_TRUE(loggedLines().isEmpty()) << loggedLines().join(u'\n').toStdString();
}
