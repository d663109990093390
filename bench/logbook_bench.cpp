// The dive list and the form on a 10,000-dive, 600-sample logbook (the one
// `ondrix-cli generate --dives 10000 --samples 600` writes, seed 1): sorting
// by each column, building the cells of one screen, adding a dive through
// the form.
#include "BenchContext.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookGenerator.h"

#include <benchmark/benchmark.h>

namespace {

struct Fixture : BenchContext {
    QList<Plongee> dives;

    Fixture()
    {
        Carnet first(*context); // writes the first-run column settings
        const int count = qEnvironmentVariableIntValue("ONDRIX_BENCH_DIVES") ?: 10000;
        dives = logbookgenerator::generate(count, 600, 1);
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
    const DiveListColumn& column = divelist::columns()[state.range(0)];
    Carnet carnet(*f.context);
    for (auto _ : state) {
        state.PauseTiming();
        carnet.setDives(f.dives);
        carnet.dives().detach();
        carnet.setSelection({5000}, 5000);
        state.ResumeTiming();
        carnet.sortByColumn(QLatin1String(column.id));
    }
    state.SetLabel(column.id);
}
BENCHMARK(BM_SortByColumn)->DenseRange(0, 14)->Unit(benchmark::kMillisecond);

void BM_ScreenOfCells(benchmark::State& state)
{
    Fixture& f = fixture();
    const DiveListFormatter formatter(f.context->settings(), f.context->localizer());
    const QList<int> columns = divelist::visibleColumns(f.context->settings());
    int top = 0;
    for (auto _ : state) {
        for (int row = top; row < top + 40; ++row) {
            for (const int c : columns) {
                benchmark::DoNotOptimize(formatter.text(f.dives[row], c));
                benchmark::DoNotOptimize(formatter.style(f.dives[row], c));
                benchmark::DoNotOptimize(formatter.picture(f.dives[row], c));
            }
        }
        top = (top + 40) % (int(f.dives.size()) - 40);
    }
    state.SetLabel(QStringLiteral("%1 columns x 40 rows").arg(columns.size()).toStdString());
}
BENCHMARK(BM_ScreenOfCells)->Unit(benchmark::kMicrosecond);

void BM_NewFormatter(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        DiveListFormatter formatter(f.context->settings(), f.context->localizer());
        benchmark::DoNotOptimize(&formatter);
    }
}
BENCHMARK(BM_NewFormatter)->Unit(benchmark::kMicrosecond);

void BM_AddDiveThroughTheForm(benchmark::State& state)
{
    Fixture& f = fixture();
    Carnet carnet(*f.context);
    carnet.setDives(f.dives);
    for (auto _ : state) {
        carnet.newDive();
        DiveForm& form = carnet.form();
        form.typeText(u"lieu", QStringLiteral("Cassis"));
        form.typeText(u"profondeur", QStringLiteral("32.5"));
        form.typeText(u"temps", QStringLiteral("48"));
        form.typeText(u"tempEau", QStringLiteral("15"));
        form.workingProfile().profilProfondeur = f.dives[0].profilProfondeur().value();
        carnet.addDive();
    }
}
BENCHMARK(BM_AddDiveThroughTheForm)->Unit(benchmark::kMicrosecond);

void BM_RefreshLongDive(benchmark::State& state)
{
    // A two-hour dive sampled every second: 7,200 samples.
    Fixture& f = fixture();
    Carnet carnet(*f.context);
    carnet.setDives(logbookgenerator::generate(1, 7200, 3));
    carnet.setSelection({0}, 0);
    for (auto _ : state)
        carnet.updateUI();
    state.SetLabel(QStringLiteral("%1 samples").arg(carnet.form().workingProfile().profilProfondeur.size()).toStdString());
}
BENCHMARK(BM_RefreshLongDive)->Unit(benchmark::kMicrosecond);

void BM_FindInNotes(benchmark::State& state)
{
    Fixture& f = fixture();
    Carnet carnet(*f.context);
    carnet.setDives(f.dives);
    QString count;
    for (auto _ : state)
        count = carnet.findTextWithField(QStringLiteral("notes"), QStringLiteral("MORAY"));
    state.SetLabel(count.toStdString());
}
BENCHMARK(BM_FindInNotes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
