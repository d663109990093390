// The wreck repertory on 5,000 generated cards (the ones `ondrix-cli
// generate --type wrecks --records 5000` writes, seed 1): sorting by each
// list column as a header click does, with a card selected, and the
// synthesis of every card.
#include "BenchContext.h"
#include "registers/EpavesRegister.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterGenerator.h"
#include "registers/RegisterSynthesis.h"

#include <benchmark/benchmark.h>

namespace {

struct Fixture : BenchContext {
    QList<RegisterRecord> cards;

    Fixture()
    {
        const int count = qEnvironmentVariableIntValue("ONDRIX_BENCH_CARDS") ?: 5000;
        cards = registergenerator::generate(epaves::description(), count, 1);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_SortByColumn(benchmark::State& state)
{
    Fixture& f = fixture();
    const registers::Column& column = epaves::description().columns[state.range(0)];
    RegisterDocument doc(*f.context, epaves::description());
    for (auto _ : state) {
        state.PauseTiming();
        doc.setRecords(f.cards);
        doc.setSelection({2500}, 2500);
        state.ResumeTiming();
        doc.sortByColumn(column.id);
    }
    state.SetLabel(column.id.toStdString());
}
BENCHMARK(BM_SortByColumn)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

void BM_SynthesisOfEveryCard(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const StyledText text = registersynthesis::ofAll(epaves::description(), f.cards, f.context->localizer(),
                                                         QStringLiteral("/tmp/w.wrecks"), QDateTime::currentDateTime());
        benchmark::DoNotOptimize(text.plainText());
    }
}
BENCHMARK(BM_SynthesisOfEveryCard)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
