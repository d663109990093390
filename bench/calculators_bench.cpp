// The diving calculators: each calculation alone, then each window action as
// the windows and `ondrix-cli calc` run it (reading the typed texts,
// computing, formatting every shown text). Each must stay far below the
// 10 microseconds that leave typing without visible delay.
#include "calculators/CalculatorActions.h"
#include "calculators/GpsDatumConverter.h"
#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "calculators/SexagesimalText.h"
#include "calculators/TrimixCalculator.h"
#include "calculators/UnitConverter.h"
#include "platform/Localizer.h"

#include <benchmark/benchmark.h>

namespace {

// Inputs that the optimiser cannot see through.
template <typename T> T opaque(T value)
{
    benchmark::DoNotOptimize(value);
    return value;
}

void BM_MaximumDepth(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NitroxCalculator::maximumDepth(opaque(32.0), NitroxCalculator::ppO2Limit(opaque(2))));
}
BENCHMARK(BM_MaximumDepth);

void BM_NitroxBestMix(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NitroxCalculator::bestMix(opaque(30.0), opaque(1.4)));
}
BENCHMARK(BM_NitroxBestMix);

void BM_EquivalentAirDepth(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NitroxCalculator::equivalentAirDepth(opaque(32.0), opaque(30.0)));
}
BENCHMARK(BM_EquivalentAirDepth);

void BM_OxygenWindow(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NitroxCalculator::oxygenWindow(opaque(32.0), opaque(0.16)));
}
BENCHMARK(BM_OxygenWindow);

void BM_NitroxBlend(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(NitroxCalculator::blend(opaque(50.0), opaque(200.0), opaque(32.0), opaque(36.0)));
}
BENCHMARK(BM_NitroxBlend);

void BM_TrimixEquivalentDepths(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TrimixCalculator::equivalentDepths(opaque(60.0), opaque(18.0), opaque(45.0)));
}
BENCHMARK(BM_TrimixEquivalentDepths);

void BM_TrimixMinimumDepth(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TrimixCalculator::minimumDepth(opaque(10.0)));
}
BENCHMARK(BM_TrimixMinimumDepth);

void BM_TrimixBestMix(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TrimixCalculator::bestMix(opaque(60.0), opaque(30.0), opaque(1.4)));
}
BENCHMARK(BM_TrimixBestMix);

void BM_AbsorbentTime(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            RebreatherCalculator::splitMinutes(RebreatherCalculator::absorbentMinutes(opaque(2.5), opaque(100.0), opaque(1.0))));
}
BENCHMARK(BM_AbsorbentTime);

void BM_BreathedFractionTable(benchmark::State& state)
{
    for (auto _ : state) {
        for (const double v : RebreatherCalculator::tableConsumptions()) {
            const double r = RebreatherCalculator::breathedFraction(opaque(40.0), opaque(10.0), v);
            benchmark::DoNotOptimize(RebreatherCalculator::breathedFractionSafety(r, 10.0, v));
        }
    }
}
BENCHMARK(BM_BreathedFractionTable);

void BM_IdealFlowTable(benchmark::State& state)
{
    for (auto _ : state) {
        for (const double v : RebreatherCalculator::tableConsumptions())
            benchmark::DoNotOptimize(
                RebreatherCalculator::flowSafety(RebreatherCalculator::idealFlow(opaque(50.0), v, opaque(30.0)), 50.0, 30.0));
    }
}
BENCHMARK(BM_IdealFlowTable);

void BM_UnitConversion(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(UnitConverter::convert(UnitConverter::Quantity::Temperature, opaque(1), {opaque(-40.0), 0, 0}));
}
BENCHMARK(BM_UnitConversion);

void BM_GpsPrecise(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GpsDatumConverter::precise({opaque(-1.0), 30, 0}, {opaque(48.0), 51, 24}, opaque(100.0)));
}
BENCHMARK(BM_GpsPrecise);

void BM_GpsDecimal(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            GpsDatumConverter::translate({opaque(5.0), opaque(43.0), 0}, GpsDatumConverter::Direction::Ed50ToWgs84));
}
BENCHMARK(BM_GpsDecimal);

void BM_DegreesMinutesSeconds(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SexagesimalText::fromDegrees(opaque(-0.000942396061914802))->text());
}
BENCHMARK(BM_DegreesMinutesSeconds);

// --- Whole actions, texts included ------------------------------------------------

// The English texts the program ships, so that every text is formatted as in the windows.
Localizer makeTexts() { return Localizer(QStringLiteral("en")); }

const Localizer& texts()
{
    static const Localizer localizer = makeTexts();
    return localizer;
}

void runAction(benchmark::State& state, const char* name, std::initializer_list<std::pair<const char*, const char*>> typed)
{
    const CalculatorAction* action = CalculatorActions::find(QLatin1String(name));
    QHash<QString, QString> inputs;
    for (const auto& [field, text] : typed)
        inputs.insert(QLatin1String(field), QLatin1String(text));
    for (auto _ : state)
        benchmark::DoNotOptimize(action->run(inputs, texts()));
}

void BM_Action_profMax(benchmark::State& s) { runAction(s, "profMax", {{"fracO2Field", "32"}, {"ppO2PopUp", "2"}}); }
void BM_Action_bestMix(benchmark::State& s) { runAction(s, "bestMix", {{"profondeurMaxField", "30"}, {"ppO2PopUp", "2"}}); }
void BM_Action_profEquivalente(benchmark::State& s)
{
    runAction(s, "profEquivalente", {{"fracO2Field", "32"}, {"profondeurField", "30"}});
}
void BM_Action_oxygenWindow(benchmark::State& s) { runAction(s, "oxygenWindow", {{"winFO2", "32"}, {"winMinPpO2", "0.16"}}); }
void BM_Action_blendNitrox(benchmark::State& s)
{
    runAction(s, "blendNitrox",
              {{"pressionInitialeField", "50"}, {"pressionFinaleField", "200"}, {"fracO2InitialeField", "32"}, {"fracO2FinaleField", "36"}});
}
void BM_Action_calcEAD_END(benchmark::State& s)
{
    runAction(s, "calcEAD_END", {{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}});
}
void BM_Action_profMin(benchmark::State& s) { runAction(s, "profMin", {{"fracO2TxField", "10"}}); }
void BM_Action_calcBestTx(benchmark::State& s)
{
    runAction(s, "calcBestTx", {{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}});
}
void BM_Action_calcSodaTime(benchmark::State& s)
{
    runAction(s, "calcSodaTime", {{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}});
}
void BM_Action_calcBreathedFracO2(benchmark::State& s)
{
    runAction(s, "calcBreathedFracO2", {{"brEanxField", "40"}, {"brFlowField", "10"}, {"brMetabolicField", "1"}});
}
void BM_Action_calcIdealFlow(benchmark::State& s)
{
    runAction(s, "calcIdealFlow", {{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}});
}
void BM_Action_convertir(benchmark::State& s)
{
    runAction(s, "convertir", {{"conversionsTabView", "temperature"}, {"choixTemperatureMatrix", "1"}, {"celsiusField", "-40"}});
}
void BM_Action_convertGPS(benchmark::State& s)
{
    runAction(s, "convertGPS", {{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "30"},
                                {"latitude_in_degreeField", "48"}, {"latitude_in_minutesField", "51"},
                                {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}});
}
void BM_Action_convertGPS2(benchmark::State& s)
{
    runAction(s, "convertGPS2", {{"geodesiePopUp", "0"}, {"longitude_inField", "5"}, {"latitude_inField", "43"}});
}
BENCHMARK(BM_Action_profMax);
BENCHMARK(BM_Action_bestMix);
BENCHMARK(BM_Action_profEquivalente);
BENCHMARK(BM_Action_oxygenWindow);
BENCHMARK(BM_Action_blendNitrox);
BENCHMARK(BM_Action_calcEAD_END);
BENCHMARK(BM_Action_profMin);
BENCHMARK(BM_Action_calcBestTx);
BENCHMARK(BM_Action_calcSodaTime);
BENCHMARK(BM_Action_calcBreathedFracO2);
BENCHMARK(BM_Action_calcIdealFlow);
BENCHMARK(BM_Action_convertir);
BENCHMARK(BM_Action_convertGPS);
BENCHMARK(BM_Action_convertGPS2);

} // namespace

BENCHMARK_MAIN();
