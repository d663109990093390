// Opening and saving a large logbook, against the time it takes only to read
// the same file's bytes. The logbook is the one `ondrix-cli generate --dives
// 10000 --samples 600` writes (seed 1), made once in a temporary folder.
#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString logbook;
    ScriptedAlerts alerts;
    std::unique_ptr<AppContext> context;

    Fixture()
    {
        logbook = dir.filePath(QStringLiteral("bench.ondrix"));
        const int dives = qEnvironmentVariableIntValue("ONDRIX_BENCH_DIVES") ?: 10000;
        saveFileAtomically(logbook, *logbookarchive::encode(logbookgenerator::generate(dives, 600, 1)));
        context = std::make_unique<AppContext>(
            std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))), alerts,
            QStringLiteral("en"));
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_ReadFileBytes(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        QFile file(f.logbook);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.data());
        state.counters["MiB"] = double(bytes.size()) / (1024 * 1024);
    }
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenLogbook(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        Carnet carnet(*f.context);
        QString error;
        if (!carnet.openFile(f.logbook, &error))
            state.SkipWithError(error.toUtf8().constData());
        benchmark::DoNotOptimize(carnet.count());
    }
}
BENCHMARK(BM_OpenLogbook)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveLogbook(benchmark::State& state)
{
    Fixture& f = fixture();
    Carnet carnet(*f.context);
    QString error;
    carnet.openFile(f.logbook, &error);
    const QString target = f.dir.filePath(QStringLiteral("saved.ondrix"));
    for (auto _ : state) {
        const SaveResult saved = carnet.saveToFile(target, Carnet::logbookTypeId());
        if (!saved.ok)
            state.SkipWithError(saved.error.toUtf8().constData());
    }
}
BENCHMARK(BM_SaveLogbook)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
