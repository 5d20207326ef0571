// A test helper, not a test: the main window in this process (offscreen) against the station
// named by the program folder's settings. After the first hello it records into the record
// window the first show opened and prints one line per sample taken:
//   recording JOURNAL
//   sample INDEX TIME TC TB
// then keeps recording until it is killed. Dialogs are answered as an operator would and
// printed as "dialog TEXT".
//   journal_victim PROGRAM_DIR

#include <cstdio>
#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "ui/modal_watcher.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/tfrm_msg.h"

namespace {

void say(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

QString number(double v)
{
    return QString::number(v, 'g', 9);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: journal_victim PROGRAM_DIR\n", stderr);
        return 2;
    }
    ModalWatcher watcher;
    auto frm = std::make_unique<TfrmComm>(ProgramPaths(QString::fromLocal8Bit(argv[1])));
    Tfrmmsg msg;
    frm->setStatusWindow(&msg);
    frm->show();

    TfrmChild* recorded = nullptr;
    qsizetype printed = 0;
    qsizetype dialogs = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (; dialogs < watcher.seen.size(); ++dialogs)
            say(QStringLiteral("dialog ") + watcher.seen[dialogs]);
        RecordWindows* windows = frm->recordWindows();
        if (!recorded) {
            if (frm->statusPanelText(0) != QStringLiteral("hello success!") || !windows->recordingTarget()
                || !frm->actions().actnRecord->isEnabled())
                return;
            recorded = windows->recordingTarget();
            frm->actions().actnRecord->trigger();
            say(QStringLiteral("recording ") + recorded->journalPath());
        }
        const QList<RecordSample>& samples = recorded->record().samples;
        for (; printed < samples.size(); ++printed) {
            const RecordSample& s = samples[printed];
            say(QStringLiteral("sample %1 %2 %3 %4").arg(printed).arg(number(s.time), number(s.tc), number(s.tb)));
        }
    });
    poll.start();
    return app.exec();
}
