// A register of 5,000 generated records (the ones `ondrix-cli generate
// --type TYPE --records 5000` writes, seed 1): sorting by each list column
// as a header click does, with a record selected, the synthesis of every
// record and the list printed to PDF. The type comes from ONDRIX_BENCH_TYPE
// (default wrecks), the count from ONDRIX_BENCH_CARDS.
#include "BenchContext.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterGenerator.h"
#include "registers/RegisterSynthesis.h"
#include "platform/SafeSave.h"
#include "registers/DiversDocsFields.h"
#include "registers/RegisterArchive.h"
#include "registers/draw/RegisterListPrinter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

struct Fixture : BenchContext {
    const registers::RegisterDescription& reg;
    QList<RegisterRecord> cards;

    explicit Fixture(const registers::RegisterDescription& r) : reg(r)
    {
        const int count = qEnvironmentVariableIntValue("ONDRIX_BENCH_CARDS") ?: 5000;
        cards = registergenerator::generate(reg, count, 1);
    }
};

void sortByColumn(benchmark::State& state, Fixture* f, int column)
{
    const registers::Column& c = f->reg.columns[column];
    RegisterDocument doc(*f->context, f->reg);
    const int middle = int(f->cards.size() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        doc.setRecords(f->cards);
        doc.setSelection({middle}, middle);
        state.ResumeTiming();
        doc.sortByColumn(c.id);
    }
    state.SetLabel(c.id.toStdString());
}

void synthesisOfEveryRecord(benchmark::State& state, Fixture* f)
{
    for (auto _ : state) {
        const StyledText text = registersynthesis::ofAll(f->reg, f->cards, f->context->localizer(),
                                                         QStringLiteral("/tmp/register"), QDateTime::currentDateTime());
        benchmark::DoNotOptimize(text.plainText());
    }
}

void listToPdf(benchmark::State& state, Fixture* f)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            registerlistprinter::pdf(f->reg, f->cards, f->context->localizer(), QStringLiteral("List")));
}

// A register of papers with a scan of about 1 MB on each: noise, which PNG
// cannot shrink, so every picture keeps its size in the file.
int writeScannedPapers(const QString& path, int count)
{
    QImage scan(600, 600, QImage::Format_RGB32);
    QRandomGenerator rng(1);
    for (int y = 0; y < scan.height(); ++y)
        for (int x = 0; x < scan.width(); ++x)
            scan.setPixel(x, y, rng.generate() | 0xff000000u);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");
    const registers::RegisterDescription& reg = *registers::descriptionOf(QStringLiteral("papers"));
    QList<RegisterRecord> papers = registergenerator::generate(reg, count, 1);
    for (RegisterRecord& paper : papers)
        paper.setValue(diversdocs::photocopy, RegisterRecord::Image(png));
    const auto bytes = registerarchive::encode(reg, papers);
    if (!bytes || !saveFileAtomically(path, *bytes).ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%d papers, a picture of %lld bytes each\n", count, qint64(png.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    // ondrix_bench_registers --scanned-papers OUT: the file of the papers figure.
    if (argc == 3 && qstrcmp(argv[1], "--scanned-papers") == 0)
        return writeScannedPapers(QString::fromLocal8Bit(argv[2]), 200);
    const QString type = qEnvironmentVariable("ONDRIX_BENCH_TYPE", QStringLiteral("wrecks"));
    const registers::RegisterDescription* reg = registers::descriptionOf(type);
    if (!reg) {
        std::fprintf(stderr, "no register of type %s\n", qPrintable(type));
        return 2;
    }
    Fixture fixture(*reg);
    for (int c = 0; c < reg->columns.size(); ++c)
        benchmark::RegisterBenchmark("BM_SortByColumn", sortByColumn, &fixture, c)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SynthesisOfEveryRecord", synthesisOfEveryRecord, &fixture)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ListToPdf", listToPdf, &fixture)->Unit(benchmark::kMillisecond)->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
