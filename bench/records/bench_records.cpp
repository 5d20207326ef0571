// Every sample redraws the whole chart, so the redraw of a long recording sets the pace;
// saving and opening a full record file must not keep the operator waiting either.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "records/record_chart.h"
#include "records/record_file.h"
#include "records/desoldering_process.h"

namespace {

void drawChart(benchmark::State& state)
{
    const Recording r = DesolderingProcess::make(int(state.range(0)), 0.5f);
    QImage image = RecordChart::newImage();
    ChartStyle style;
    style.lineWidth = 3; // Large, the slowest pen
    for (auto _ : state) {
        RecordChart::DrawChart(image, r, 0.5f, style);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["samples"] = double(r.samples.size());
}
BENCHMARK(drawChart)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

// For comparison: every segment and band cell on its own, the same pixels.
void drawChartEverySegment(benchmark::State& state)
{
    const Recording r = DesolderingProcess::make(int(state.range(0)), 0.5f);
    QImage image = RecordChart::newImage();
    ChartStyle style;
    style.lineWidth = 3;
    for (auto _ : state) {
        RecordChart::DrawChart(image, r, 0.5f, style, RecordChart::Segments::Every);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(drawChartEverySegment)->Arg(65535)->Unit(benchmark::kMillisecond);

// One move of the analysis cursor over a full record: the chart redrawn, the cursor placed,
// and the window's visible part (1280 x 800) stretched and presented with the cursor and
// its readout. Argument: the surface width, 1280 for "Fit to window" and 4504 for the
// largest manual zoom, where the window shows the middle of the surface. Goal: 8 ms each.
void cursorMove(benchmark::State& state)
{
    const Recording r = DesolderingProcess::make(65535, 0.5f);
    const int width = int(state.range(0));
    const QSize surface = width == 1280 ? QSize(1280, 800) : QSize(width, width * 3 / 4);
    const QRect visible(QPoint((surface.width() - 1280) / 2, (surface.height() - 800) / 2), QSize(1280, 800));
    QImage chart = RecordChart::newImage();
    QImage window(visible.size(), QImage::Format_RGB32);
    ChartStyle style;
    style.lineWidth = 3;
    RecordChart::Cursor cursor;
    cursor.on = true;
    int step = 0;
    for (auto _ : state) {
        cursor.mouseX = visible.left() + 100 + (step++ % 900);
        const int p = RecordChart::DrawChart(chart, r, 0.5f, style);
        RecordChart::placeCursor(cursor, surface, r, 0.5f, p);
        QPainter painter(&window);
        painter.translate(-visible.topLeft());
        RecordChart::PresentChart(painter, surface, chart, r, 0.5f, p, cursor, style, visible);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
    state.counters["samples"] = double(r.samples.size());
}
BENCHMARK(cursorMove)->Arg(1280)->Arg(4504)->ArgName("surfaceWidth")->Unit(benchmark::kMillisecond);

void saveRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    Recording r = DesolderingProcess::make(65535, 0.5f);
    const QString path = dir.filePath("full.sld");
    QString error;
    for (auto _ : state) {
        if (!SaveRecord(r, path, OperatorInputs(), 45000.0, &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(saveRecord)->Unit(benchmark::kMillisecond);

void loadRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    Recording r = DesolderingProcess::make(65535, 0.5f);
    const QString path = dir.filePath("full.sld");
    QString error;
    SaveRecord(r, path, OperatorInputs(), 45000.0, &error);
    for (auto _ : state) {
        Recording back;
        if (!LoadRecord(back, path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(back.samples.constData());
    }
}
BENCHMARK(loadRecord)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
