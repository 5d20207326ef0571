// The main window from construction to shown and greeting the station (the first show has
// run: stored language applied, profile table loaded, hello sent), offscreen, on a fake
// port. The goal is well under half a second.
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_ui

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

#include "shell/ini_file.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "ui/tfrm_comm.h"
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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
