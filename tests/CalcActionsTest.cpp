#include "calculators/CalculatorActions.h"
#include "platform/Localizer.h"

#include <QSet>
#include <gtest/gtest.h>

#include <ostream>

namespace {

// The shipped English texts, read once.
const Localizer& englishTexts()
{
    static const Localizer texts(QStringLiteral("en"));
    return texts;
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

const char* const kNoBlend = "No blend reaches this mix by adding oxygen then air";
const RgbaColour kRed = RgbaColour::rgb(1, 0, 0);
const RgbaColour kBlack = RgbaColour::rgb(0, 0, 0);

} // namespace

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Every action colours only controls it writes; names are found exactly.
TEST(CalcActions, EveryActionColoursItsOwnOutputs)
{
    for (const CalculatorAction& a : CalculatorActions::all()) {
        EXPECT_EQ(CalculatorActions::find(a.name), &a);
        for (const QString& coloured : a.colouredOutputs)
            EXPECT_TRUE(a.outputs.contains(coloured)) << a.name.toStdString();
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
        {"no oxygen", "profMax", typed({}), "resultatField", "No valid data"},
        {"0 %", "profMax", typed({{"fracO2Field", "0"}}), "resultatField", "No valid data"},
        {"-5 %", "profMax", typed({{"fracO2Field", "-5"}}), "resultatField", "No valid data"},
        {"1e308 %", "profMax", typed({{"fracO2Field", "1e308"}}), "resultatField", "No valid data"},
        {"101 %", "profMax", typed({{"fracO2Field", "101"}}), "resultatField", "No valid data"},
        {"100 % at 1.6 bar", "profMax", typed({{"fracO2Field", "100"}, {"ppO2PopUp", "4"}}), "resultatField", "MOD : 6.0 m"},
        {"a decimal comma", "profMax", typed({{"fracO2Field", "32,5"}, {"ppO2PopUp", "2"}}), "resultatField", "MOD : 33.1 m"},
        {"not a number", "profMax", typed({{"fracO2Field", "32 x"}}), "resultatField", "No valid data"},
        {"a number with its unit", "profMax", typed({{"fracO2Field", " 32 %"}, {"ppO2PopUp", "2"}}), "resultatField", "MOD : 33.8 m"},
        // Best mix
        {"30 m at 1.4 bar", "bestMix", typed({{"profondeurMaxField", "30"}, {"ppO2PopUp", "2"}}), "resultatField", "Best mix : 35.00 % O2"},
        {"30 m, no limit chosen", "bestMix", typed({{"profondeurMaxField", "30"}}), "resultatField", "Best mix : 35.00 % O2"},
        {"40 m at 1.3 bar", "bestMix", typed({{"profondeurMaxField", "40"}, {"ppO2PopUp", "1"}}), "resultatField", "Best mix : 26.00 % O2"},
        {"4 m at 1.4 bar: pure oxygen", "bestMix", typed({{"profondeurMaxField", "4 m"}}), "resultatField", "Best mix : 100.00 % O2"},
        {"0 m: above 100 %", "bestMix", typed({{"profondeurMaxField", "0"}}), "resultatField", "No valid data"},
        {"-10 m", "bestMix", typed({{"profondeurMaxField", "-10"}}), "resultatField", "No valid data"},
        // Equivalent air depth, never clamped
        {"40 % at the surface", "profEquivalente", typed({{"fracO2Field", "40"}, {"profondeurField", "0"}}), "resultatField", "EAD : -2.4 m"},
        {"32 % at 30 m", "profEquivalente", typed({{"fracO2Field", "32"}, {"profondeurField", "30"}}), "resultatField", "EAD : 24.4 m"},
        {"32,5 % at 30 m", "profEquivalente", typed({{"fracO2Field", "32,5"}, {"profondeurField", "30"}}), "resultatField", "EAD : 24.2 m"},
        {"-20 m", "profEquivalente", typed({{"fracO2Field", "32"}, {"profondeurField", "-20"}}), "resultatField", "No valid data"},
        {"150 %", "profEquivalente", typed({{"fracO2Field", "150"}, {"profondeurField", "30"}}), "resultatField", "No valid data"},
        // Oxygen window: maximum, minimum, limit
        {"pure oxygen", "oxygenWindow", typed({{"winFO2", "100"}, {"winMinPpO2", "0.5"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 6.0 m\nMinimum depth : 0.0 m\nLimit depth : 6.0 m"},
        {"32 %: breathable from the surface", "oxygenWindow", typed({{"winFO2", "32"}, {"winMinPpO2", "0.16"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 40.0 m\nMinimum depth : 0.0 m\nLimit depth : 1.6 m"},
        {"32 % from 0.64 bar", "oxygenWindow", typed({{"winFO2", "32"}, {"winMinPpO2", "0.64"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 40.0 m\nMinimum depth : 10.0 m\nLimit depth : 1.6 m"},
        {"18 %: leaner than air", "oxygenWindow", typed({{"winFO2", "18"}, {"winMinPpO2", "0.16"}}), "winResult",
         "Maximum depth (ppO2 1.6 bar) : 78.9 m\nMinimum depth : 0.0 m\nLimit depth : 0.0 m"},
        {"zeros", "oxygenWindow", typed({{"winFO2", "0"}, {"winMinPpO2", "0"}}), "winResult", "No valid data"},
        {"a negative minimum", "oxygenWindow", typed({{"winFO2", "32"}, {"winMinPpO2", "-1"}}), "winResult", "No valid data"},
        // Blending
        {"empty tank to 200 bar of 32 %", "blendNitrox",
         typed({{"pressionInitialeField", "0"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "0"}, {"fracO2FinaleField", "32"}}),
         "resultatField", "Oxygen to add : 27.85 bar\nOxygen in the gas added : 32.00 %"},
        {"equal pressures, same mix", "blendNitrox",
         typed({{"pressionInitialeField", "200"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "32"}, {"fracO2FinaleField", "32"}}),
         "resultatField", "No valid data"},
        {"a negative pressure", "blendNitrox",
         typed({{"pressionInitialeField", "-10"}, {"pressionFinaleField", "200"}, {"fracO2FinaleField", "32"}}), "resultatField",
         "No valid data"},
        {"no oxygen wanted", "blendNitrox", typed({{"pressionFinaleField", "200"}, {"fracO2FinaleField", "0"}}), "resultatField",
         "No valid data"},
        {"negative oxygen is no blend", "blendNitrox",
         typed({{"pressionInitialeField", "100"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "50"}, {"fracO2FinaleField", "21"}}),
         "resultatField", kNoBlend},
        {"leaner than air is no blend", "blendNitrox",
         typed({{"pressionFinaleField", "200"}, {"fracO2FinaleField", "18"}}), "resultatField", kNoBlend},
        {"more oxygen than the tank takes", "blendNitrox",
         typed({{"pressionInitialeField", "100"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "21"}, {"fracO2FinaleField", "100"}}),
         "resultatField", kNoBlend},
        // Trimix
        {"60 m on 18/45", "calcEAD_END", typed({{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}}),
         "resultatField", "EAD : 22.78 m\nEND : 28.50 m"},
        {"shallow on helium", "calcEAD_END", typed({{"profondeurMaxField", "5"}, {"fracO2TxField", "10"}, {"fracHeTxField", "70"}}),
         "resultatField", "EAD : 0.00 m\nEND : -5.50 m"},
        {"80 % and 45 %: 125 %", "calcEAD_END", typed({{"profondeurMaxField", "60"}, {"fracO2TxField", "80"}, {"fracHeTxField", "45"}}),
         "resultatField", "No valid data"},
        {"a negative depth", "calcEAD_END", typed({{"profondeurMaxField", "-5"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}}),
         "resultatField", "No valid data"},
        {"a negative helium", "calcEAD_END", typed({{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "-5"}}),
         "resultatField", "No valid data"},
        {"10 %", "profMin", typed({{"fracO2TxField", "10"}}), "resultatField", "Minimum depth : 6.00 m"},
        {"16 %", "profMin", typed({{"fracO2TxField", "16"}}), "resultatField", "Minimum depth : 0.00 m"},
        {"1 %", "profMin", typed({{"fracO2TxField", "1"}}), "resultatField", "Minimum depth : 150.00 m"},
        {"0.5 %", "profMin", typed({{"fracO2TxField", "0.5"}}), "resultatField", "No valid data"},
        {"21 %", "profMin", typed({{"fracO2TxField", "21"}}), "resultatField", "No valid data"},
        {"empty", "profMin", typed({}), "resultatField", "No valid data"},
        {"not a number", "profMin", typed({{"fracO2TxField", "ten"}}), "resultatField", "No valid data"},
        {"60 m, END 30 m, 1.4 bar", "calcBestTx", typed({{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}),
         "resultatField", "Oxygen : 20.00 %\nHelium : 34.86 %"},
        {"30 m, END 30 m: -14 % helium is no mix", "calcBestTx",
         typed({{"depthTxField", "30"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}), "resultatField", "No trimix reaches this END at this depth"},
        {"30 m, END 30 m, 0.84 bar: a nitrox", "calcBestTx",
         typed({{"depthTxField", "30"}, {"ENDField", "30"}, {"ppO2Field", "0.84"}}), "resultatField", "Oxygen : 21.00 %\nHelium : 0.00 %"},
        {"no oxygen pressure: a mix that kills", "calcBestTx", typed({{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "0"}}),
         "resultatField", "No valid data"},
        {"below 0.16 bar", "calcBestTx", typed({{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "0.15"}}),
         "resultatField", "No valid data"},
        {"0.16 bar at the surface", "calcBestTx", typed({{"ppO2Field", "0,16"}}), "resultatField", "Oxygen : 16.00 %\nHelium : 5.00 %"},
        {"a negative depth", "calcBestTx", typed({{"depthTxField", "-20"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}),
         "resultatField", "No valid data"},
        // Absorbent
        {"250 minutes", "calcSodaTime", typed({{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "Absorbent time : 4 h 10 min"},
        {"59.9 minutes", "calcSodaTime", typed({{"sodaWeightField", "59.9"}, {"sodaCapacityField", "1"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "Absorbent time : 0 h 59 min"},
        {"no production: infinite", "calcSodaTime", typed({{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}}),
         "sodaTimeField", "No valid data"},
        {"all empty: undefined", "calcSodaTime", typed({}), "sodaTimeField", "No valid data"},
        {"a negative weight", "calcSodaTime", typed({{"sodaWeightField", "-2"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "No valid data"},
        {"a negative production", "calcSodaTime", typed({{"sodaWeightField", "2"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "-1"}}),
         "sodaTimeField", "No valid data"},
        {"no absorbent", "calcSodaTime", typed({{"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         "sodaTimeField", "Absorbent time : 0 h 0 min"},
        {"too long for whole hours", "calcSodaTime",
         typed({{"sodaWeightField", "1e12"}, {"sodaCapacityField", "1e3"}, {"metabolicProductionField", "1"}}), "sodaTimeField",
         "No valid data"},
    };
    const Localizer& texts = englishTexts();
    for (const auto& c : cases) {
        const CalculatorResult r = run(c.action, c.inputs, texts);
        EXPECT_EQ(r.texts.value(QLatin1String(c.field)), QString::fromUtf8(c.text)) << c.what;
    }
}

TEST(CalcActions, RebreatherTextsAndColours)
{
    enum Colour { Red, Black, Kept };
    const auto breathed = [](const char* supply, const char* flow, const char* consumption) {
        return typed({{"brEanxField", supply}, {"brFlowField", flow}, {"brMetabolicField", consumption}});
    };
    const auto ideal = [](const char* supply, const char* consumption, const char* wanted) {
        return typed({{"idEanxField", supply}, {"idMetabolicField", consumption}, {"idRealFracO2Field", wanted}});
    };
    const struct {
        const char* what;
        const char* action;
        QHash<QString, QString> inputs;
        const char* field;
        const char* text;
        Colour colour;
    } cases[] = {
        {"40 % at 10 L/min", "calcBreathedFracO2", breathed("40", "10", "1"), "breathedFracO2Field", "Breathed oxygen : 33.33 %", Black},
        {"its row 0.8", "calcBreathedFracO2", breathed("40", "10", "1"), "c08Field", "0.8 l/min : 34.78 %", Black},
        {"its row 1.8", "calcBreathedFracO2", breathed("40", "10", "1"), "c18Field", "1.8 l/min : 26.83 %", Black},
        {"32 % at 5 L/min, row 0.9", "calcBreathedFracO2", breathed("32", "5", "1"), "c09Field", "0.9 l/min : 17.07 %", Red},
        // Coloured by the figure shown: 20.8999 shows as 20.90, safe.
        {"shown 20.90", "calcBreathedFracO2", breathed("28.80991", "10", "1"), "breathedFracO2Field", "Breathed oxygen : 20.90 %", Black},
        {"shown 20.89", "calcBreathedFracO2", breathed("28.8046", "10", "1"), "breathedFracO2Field", "Breathed oxygen : 20.89 %", Red},
        {"a decimal comma", "calcBreathedFracO2", breathed("40", "10", "1,0"), "breathedFracO2Field", "Breathed oxygen : 33.33 %", Black},
        // More oxygen consumed than the flow brings: no such loop.
        {"a negative fraction", "calcBreathedFracO2", breathed("40", "1.2", "1"), "breathedFracO2Field", "No valid data", Red},
        {"a row above the flow", "calcBreathedFracO2", breathed("40", "1.2", "1"), "c15Field", "1.5 l/min : no valid data", Red},
        {"a row at the flow: infinite", "calcBreathedFracO2", breathed("40", "1.2", "1"), "c12Field", "1.2 l/min : no valid data", Red},
        {"pure oxygen at the flow: undefined", "calcBreathedFracO2", breathed("100", "1.2", "1"), "c12Field", "1.2 l/min : no valid data", Kept},
        {"pure oxygen below the flow", "calcBreathedFracO2", breathed("100", "1.2", "1"), "c11Field", "1.1 l/min : 100.00 %", Black},
        {"pure oxygen above the flow", "calcBreathedFracO2", breathed("100", "1.2", "1"), "c13Field", "1.3 l/min : no valid data", Red},
        {"no flow", "calcBreathedFracO2", breathed("40", "", "1"), "c10Field", "1.0 l/min : no valid data", Red},
        {"a negative consumption", "calcBreathedFracO2", breathed("40", "10", "-1"), "breathedFracO2Field", "No valid data", Red},
        {"its rows", "calcBreathedFracO2", breathed("40", "10", "-1"), "c10Field", "1.0 l/min : no valid data", Red},
        {"a negative flow", "calcBreathedFracO2", breathed("40", "-10", "1"), "breathedFracO2Field", "No valid data", Red},
        {"120 %", "calcBreathedFracO2", breathed("120", "10", "1"), "breathedFracO2Field", "No valid data", Red},

        {"50 % for 30 %", "calcIdealFlow", ideal("50", "1", "30"), "idealFlowField", "Ideal flow : 3.50 l/min", Black},
        {"its row 0.8", "calcIdealFlow", ideal("50", "1", "30"), "d08Field", "0.8 l/min : 2.80 l/min", Red},
        {"its row 0.9", "calcIdealFlow", ideal("50", "1", "30"), "d09Field", "0.9 l/min : 3.15 l/min", Black},
        {"its row 1.8", "calcIdealFlow", ideal("50", "1", "30"), "d18Field", "1.8 l/min : 6.30 l/min", Black},
        {"32 % for 30 %", "calcIdealFlow", ideal("32", "1", "30"), "idealFlowField", "Ideal flow : 35.00 l/min", Red},
        // 2.996 L/min shows as 3.00, safe.
        {"shown 3.00", "calcIdealFlow", ideal("53.3645", "1", "30"), "idealFlowField", "Ideal flow : 3.00 l/min", Black},
        {"a supply leaner than the loop", "calcIdealFlow", ideal("30", "1", "50"), "idealFlowField", "No valid data", Red},
        {"its rows", "calcIdealFlow", ideal("30", "1", "50"), "d10Field", "1.0 l/min : no valid data", Red},
        {"a supply equal to the loop: infinite", "calcIdealFlow", ideal("30", "1", "30"), "idealFlowField", "No valid data", Red},
        {"100 % for 100 %: undefined", "calcIdealFlow", ideal("100", "1", "100"), "idealFlowField", "No valid data", Kept},
        {"a negative consumption", "calcIdealFlow", ideal("50", "-1", "30"), "idealFlowField", "No valid data", Red},
        {"no wanted fraction", "calcIdealFlow", ideal("50", "1", ""), "idealFlowField", "No valid data", Red},
    };
    const Localizer& texts = englishTexts();
    for (const auto& c : cases) {
        const CalculatorResult r = run(c.action, c.inputs, texts);
        const QString field = QLatin1String(c.field);
        EXPECT_EQ(r.texts.value(field), QString::fromUtf8(c.text)) << c.what;
        if (c.colour == Kept) {
            EXPECT_FALSE(r.colours.contains(field)) << c.what;
        } else {
            EXPECT_EQ(r.colours.value(field), c.colour == Red ? kRed : kBlack) << c.what;
        }
        for (const QString& text : r.texts)
            EXPECT_FALSE(text.contains(QLatin1String("inf")) || text.contains(QLatin1String("nan"))) << c.what;
    }
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
        {"a tiny result shows 0", typed({{"conversionsTabView", "pression"}, {"barField", "0.00000001"}}),
         typed({{"psiField", "0"}})},
        {"a decimal comma", typed({{"conversionsTabView", "pression"}, {"barField", "1,5"}}), typed({{"psiField", "21.755655"}})},
        {"a negative pressure", typed({{"conversionsTabView", "pression"}, {"barField", "-1"}}),
         typed({{"barField", "-1"}, {"psiField", "No valid data"}})},
        {"not a number", typed({{"conversionsTabView", "masse"}, {"kilogrammeField", "1 t"}}), typed({{"livreUSField", "No valid data"}})},
        {"-5 K", typed({{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "3"}, {"kelvinField", "-5"}}),
         typed({{"celsiusField", "No valid data"}, {"farenheitField", "No valid data"}, {"kelvinField", "-5"}})},
        {"absolute zero", typed({{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "1"}, {"celsiusField", "-273.15 \u00b0C"}}),
         typed({{"farenheitField", "-459.67"}, {"kelvinField", "0"}})},
        {"below absolute zero", typed({{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "2"}, {"farenheitField", "-460"}}),
         typed({{"celsiusField", "No valid data"}})},
        {"an overflow", typed({{"conversionsTabView", "pression"}, {"barField", "1e308"}}), typed({{"psiField", "No valid data"}})},
    };
    for (const auto& c : cases) {
        const CalculatorResult r = run("convertir", c.inputs);
        for (auto it = c.expected.cbegin(); it != c.expected.cend(); ++it)
            EXPECT_EQ(r.texts.value(it.key()), it.value()) << c.what << ": " << it.key().toStdString();
        EXPECT_EQ(r.texts.size(), 12) << c.what;
    }
}

// The precise conversion (degrees, minutes, seconds) and the decimal one.
TEST(CalcActions, GpsConversionTexts)
{
    const struct {
        const char* what;
        const char* action;
        QHash<QString, QString> inputs;
        const char* longitude; // none: every output reads "No valid data"
        const char* latitude;
        const char* altitude;
    } cases[] = {
        {"0 E, 45 N", "convertGPS", typed({{"latitude_in_degreeField", "45"}}), "WGS84 -0\u00b0 0' 3.393''", "WGS84 44\u00b0 59' 56.206''", "66.9 m"},
        {"1 30 W typed with the sign on the degrees", "convertGPS",
         typed({{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "30"}, {"latitude_in_degreeField", "48"},
                {"latitude_in_minutesField", "51"}, {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         "WGS84 -1\u00b0 30' 3.801''", "WGS84 48\u00b0 51' 20.508''", "161.3 m"},
        {"the same with every part negative", "convertGPS",
         typed({{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "-30"}, {"latitude_in_degreeField", "48"},
                {"latitude_in_minutesField", "51"}, {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         "WGS84 -1\u00b0 30' 3.801''", "WGS84 48\u00b0 51' 20.508''", "161.3 m"},
        {"an infinite input", "convertGPS", typed({{"latitude_in_degreeField", "1e999"}}), nullptr, nullptr, nullptr},
        {"latitude 95", "convertGPS", typed({{"latitude_in_degreeField", "95"}}), nullptr, nullptr, nullptr},
        {"latitude 89 60'", "convertGPS", typed({{"latitude_in_degreeField", "89"}, {"latitude_in_minutesField", "60"}}), nullptr, nullptr, nullptr},
        {"latitude 89 59' 60''", "convertGPS",
         typed({{"latitude_in_degreeField", "89"}, {"latitude_in_minutesField", "59"}, {"latitude_in_secondsField", "60"}}), nullptr, nullptr, nullptr},
        {"latitude 90 0' 1''", "convertGPS", typed({{"latitude_in_degreeField", "90"}, {"latitude_in_secondsField", "1"}}), nullptr, nullptr, nullptr},
        {"longitude 500", "convertGPS", typed({{"longitude_in_degreeField", "500"}}), nullptr, nullptr, nullptr},
        {"longitude 200 70'", "convertGPS", typed({{"longitude_in_degreeField", "200"}, {"longitude_in_minutesField", "70"}}), nullptr, nullptr, nullptr},
        {"longitude 179 70'", "convertGPS", typed({{"longitude_in_degreeField", "179"}, {"longitude_in_minutesField", "70"}}), nullptr, nullptr, nullptr},
        {"longitude -180 with its units", "convertGPS", typed({{"longitude_in_degreeField", "-180\u00b0"}, {"altitude_inField", "0 m"}}),
         "WGS84 -179\u00b0 59' 55.836''", "WGS84 -0\u00b0 0' 3.939''", "354.1 m"},

        {"ED50 to WGS84", "convertGPS2", typed({{"geodesiePopUp", "0"}, {"longitude_inField", "5"}, {"latitude_inField", "43"}}),
         "4.998896", "42.998968", "Altitude : 56.43 m"},
        {"the first item by default", "convertGPS2", typed({{"longitude_inField", "5"}, {"latitude_inField", "43"}}),
         "4.998896", "42.998968", "Altitude : 56.43 m"},
        {"back to ED50", "convertGPS2", typed({{"geodesiePopUp", "1"}, {"longitude_inField", "4.998895742465293"},
                                               {"latitude_inField", "42.99896767386202"}, {"altitude_inField", "56.426477001048625"}}),
         "5.000000", "43.000000", "Altitude : -0.00 m"},
        {"a western longitude stays decimal", "convertGPS2",
         typed({{"longitude_inField", "-1.5"}, {"latitude_inField", "48.85"}, {"altitude_inField", "100"}}), "-1.501366", "48.849041",
         "Altitude : 152.62 m"},
        {"latitude 91", "convertGPS2", typed({{"longitude_inField", "5"}, {"latitude_inField", "91"}}), nullptr, nullptr, nullptr},
        {"longitude 180.5", "convertGPS2", typed({{"longitude_inField", "180.5"}, {"latitude_inField", "43"}}), nullptr, nullptr, nullptr},
        {"a decimal comma", "convertGPS2", typed({{"longitude_inField", "5,0"}, {"latitude_inField", "43"}}), "4.998896", "42.998968",
         "Altitude : 56.43 m"},
    };
    for (const auto& c : cases) {
        const CalculatorResult r = run(c.action, c.inputs);
        const auto expected = [&](const char* text) { return QString::fromUtf8(c.longitude ? text : "No valid data"); };
        EXPECT_EQ(r.texts.value(QStringLiteral("longitude_outField")), expected(c.longitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("latitude_outField")), expected(c.latitude)) << c.what;
        EXPECT_EQ(r.texts.value(QStringLiteral("altitude_outField")), expected(c.altitude)) << c.what;
        if (QLatin1String(c.action) == QLatin1String("convertGPS2")) {
            EXPECT_FALSE(r.texts.contains(QStringLiteral("gpsDataField"))) << c.what; // the account is the precise one's
        }
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
    // Every unit of every tab is a field the window shows and the action reads.
    QStringList missing, units;
    for (const auto& tab : CalculatorActions::conversionTabs()) {
        units += tab.fields;
        EXPECT_EQ(tab.units.size(), tab.fields.size()) << tab.identifier.toStdString();
        for (const QString& field : tab.fields)
            if (!conv->input(field))
                missing.append(field);
    }
    EXPECT_EQ(units.size(), 12);
    EXPECT_EQ(missing, QStringList());
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
