// The statistics of the 10,000-dive, 600-sample logbook that `ondrix-cli
// generate --dives 10000` writes (seed 1), read back from its file as the
// program reads it: the statistics, the statistics text, and the graph
// computed and painted into the command line's picture.
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "platform/Localizer.h"
#include "stats/StartingValues.h"
#include "stats/Statistics.h"
#include "stats/StatsGraph.h"
#include "stats/draw/GraphPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const QList<Plongee>& dives()
{
    static const QList<Plongee> read = [] {
        const int count = qEnvironmentVariableIntValue("ONDRIX_BENCH_DIVES") ?: 10000;
        const QByteArray bytes = *logbookarchive::encode(logbookgenerator::generate(count, 600, 1));
        return *logbookarchive::decode(bytes);
    }();
    return read;
}

StartingValues starting()
{
    StartingValues v;
    v.set(QStringLiteral("epaves"), 40);
    v.set(StartingValues::kTotalPlongees, 120);
    return v;
}

void BM_Statistics(benchmark::State& state)
{
    const QList<Plongee>& all = dives();
    const StartingValues start = starting();
    for (auto _ : state)
        benchmark::DoNotOptimize(Statistics::compute(all, start, true));
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond);

void BM_StatisticsText(benchmark::State& state)
{
    const QList<Plongee>& all = dives();
    const Localizer loc(QStringLiteral("en"));
    const StartingValues start = starting();
    for (auto _ : state) {
        const Statistics s = Statistics::compute(all, start, true);
        benchmark::DoNotOptimize(s.text(loc, QStringLiteral("big.ondrix"), QDateTime::currentDateTime()));
    }
}
BENCHMARK(BM_StatisticsText)->Unit(benchmark::kMillisecond);

void BM_GraphDrawn(benchmark::State& state)
{
    const QList<Plongee>& all = dives();
    const StartingValues start = starting();
    QImage picture(1200, 640, QImage::Format_RGB32);
    for (auto _ : state) {
        const Statistics s = Statistics::compute(all, start, true);
        const StatsGraph graph(s.shares(), {});
        QPainter painter(&picture);
        GraphPainter::paint(painter, graph, QRectF(0, 0, 1200, 640));
    }
}
BENCHMARK(BM_GraphDrawn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
