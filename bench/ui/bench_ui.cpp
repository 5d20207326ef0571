// The main window from construction to shown and greeting the station (the first show has
// run: stored language applied, profile table loaded, hello sent), offscreen, on a fake
// port. The goal is well under half a second.
// One analysis cursor move on a record window with a full record, redrawn and presented
// on screen: at most 8 ms at "Fit to window" and at the largest zoom.
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_ui

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

#include <QMouseEvent>
#include <QScrollBar>

#include "link/station_link.h"
#include "records/chart_analysis.h"
#include "records/desoldering_process.h"
#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "ui/record_chart_frame.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"

namespace {

struct ProgramDir
{
    QTemporaryDir dir;
    QTemporaryDir system;
    explicit ProgramDir(int language)
    {
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        qputenv("TAMSEL_SYSTEM_DIR", system.path().toLocal8Bit());
        IniFile pw(system.filePath(QStringLiteral("IRpaswd.ini")));
        (void)pw.writeBool(QStringLiteral("IRPaswd"), QStringLiteral("inistoin"), false);
        IniFile ini(dir.filePath(QStringLiteral("data/CommConfig.ini")));
        (void)ini.writeInteger(QStringLiteral("Option"), QStringLiteral("language"), language);
    }
};

void BM_MainWindowToFirstShowDone(benchmark::State& state)
{
    ProgramDir program(int(state.range(0)));
    for (auto _ : state) {
        FakePort port;
        FakeClock clock;
        TfrmComm frm(ProgramPaths(program.dir.path()), &port, &clock);
        Tfrmmsg msg;
        frm.setStatusWindow(&msg);
        QEventLoop loop;
        bool done = false;
        QObject::connect(&frm, &TfrmComm::firstShowDone, &loop, [&] {
            done = true;
            loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        frm.show();
        loop.exec();
        if (!done)
            state.SkipWithError("first show did not finish");
        benchmark::DoNotOptimize(port.writes.size());
        state.PauseTiming();
        frm.shutdown();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowToFirstShowDone)->Arg(0)->Arg(1)->ArgName("language")->Unit(benchmark::kMillisecond);

// Argument 0: "Fit to window", the chart's surface 1280 x 800. Argument 1: the largest
// manual zoom (4504 x 3378), the window showing 1280 x 800 of its middle.
void BM_CursorMoveOnRecordWindow(benchmark::State& state)
{
    QWidget owner;
    auto* actions = new TfrmCommActions(&owner);
    FakePort port;
    FakeClock clock;
    FakeWaits waits;
    StationLink link(port, clock);
    link.setWaits(&waits);
    link.setSamplingInterval(0.5f);
    std::unique_ptr<TfrmChild> shown;
    RecordWindowsContext c;
    c.actions = actions;
    c.link = &link;
    c.dialogParent = &owner;
    c.addRecordWindow = [&](QWidget* w) {
        // A window of its own, so the chart's frame is exactly 1280 x 800.
        shown.reset(static_cast<TfrmChild*>(w));
        w->resize(1280, 800);
        w->show();
        return static_cast<QMdiSubWindow*>(nullptr);
    };
    RecordWindows windows(c);
    TfrmChild* w = windows.newRecord();
    const Recording full = DesolderingProcess::make(65535, 0.5f);
    w->record().header = full.header;
    w->record().samples = full.samples;
    RecordChartFrame* frame = w->chartFrame();
    if (state.range(0) == 1) {
        frame->setPanelSize(ChartAnalysis::panelSizeFor(4504));
        frame->horizontalScrollBar()->setValue(frame->horizontalScrollBar()->maximum() / 2);
        frame->verticalScrollBar()->setValue(frame->verticalScrollBar()->maximum() / 2);
    }
    RecordChartView* view = w->chartView();
    view->setCursorOn(true);
    QApplication::processEvents();
    const QPoint origin = -frame->widget()->pos();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(origin.x() + 100 + (step++ % 900), origin.y() + 300);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        view->repaint(); // presented now, not at the next turn of the event loop
    }
    state.counters["surfaceWidth"] = view->width();
    state.counters["cursorTime"] = view->analysisCursor().time;
}
BENCHMARK(BM_CursorMoveOnRecordWindow)->Arg(0)->Arg(1)->ArgName("largestZoom")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
