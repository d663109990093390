// The profile view of a two-hour dive sampled every second (7,200 samples):
// building its display list, and painting it at 1200 x 800 into an image.
// Runs offscreen:
//   ondrix_bench_profile [--benchmark_filter=...]
#include "profile/ProfileScene.h"
#include "profile/draw/ProfilePainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// A deep dive with a descent, a wavy bottom, stops, gas switches and the
// alarms a computer records, every list one element per sample.
ProfileScene::Inputs twoHourDive()
{
    constexpr int n = 7200;
    ProfileScene::Inputs in;
    in.samplingRate = 6; // 1 s
    in.fracO2 = 18;
    in.ppO2Code = 3;
    in.pressDepart = 230;
    in.pressFin = 50;
    in.eanLevels = {100, 50, 35, 0, 0};
    in.ascFlags = QList<qint16>(n, 0);
    in.slowFlags = QList<qint16>(n, 0);
    in.surfFlags = QList<qint16>(n, 0);
    in.ceilFlags = QList<qint16>(n, 0);
    in.gasCodes = QList<qint16>(n, 0);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / n;
        double depth = t < 0.05 ? 100 * t / 0.05 : t < 0.4 ? 100 - 4 * std::sin(i / 90.0) : 100 * (1 - (t - 0.4) / 0.6);
        depth = std::max(0.0, std::round(depth / 3) * 3 + std::sin(i / 7.0));
        in.depths.append(float(depth));
        in.pressures.append(float(230 - 180 * t));
        if (i % 400 == 0 && t > 0.4)
            in.ascFlags[i] = 1;
        if (i % 900 == 17)
            in.slowFlags[i] = 1;
    }
    in.gasCodes[0] = 1;
    in.gasCodes[4000] = 4;
    in.gasCodes[5200] = 3;
    in.gasCodes[6500] = 2;
    in.ceilFlags[6000] = 1;
    return in;
}

void BM_BuildScene(benchmark::State& state)
{
    const ProfileScene::Inputs in = twoHourDive();
    const ProfileScene::Style style;
    const ProfileScene::Texts texts;
    for (auto _ : state) {
        ProfileScene scene(in, style, texts);
        benchmark::DoNotOptimize(scene.items().size());
    }
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond);

void BM_PaintScene(benchmark::State& state)
{
    ProfileScene::Style style;
    style.ppO2Line = true;
    style.dashedLines = state.range(0) != 0;
    style.gradient = state.range(0) != 0;
    const ProfileScene scene(twoHourDive(), style, {});
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        ProfilePainter::paint(painter, scene, QRectF(0, 0, 1200, 800));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintScene)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BuildAndPaint(benchmark::State& state)
{
    const ProfileScene::Inputs in = twoHourDive();
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        ProfilePainter::paint(painter, ProfileScene(in, {}, {}), QRectF(0, 0, 1200, 800));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_BuildAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
