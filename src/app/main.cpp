// Tamsel: the program entry. No command-line arguments are read.

#include <QApplication>
#include <QScreen>

#include "shell/program_paths.h"
#include "ui/quit_signal_watcher.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_msg.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamsel"));
    // The main window ends the program itself, after its close has been accepted.
    QApplication::setQuitOnLastWindowClosed(false);

    const ProgramPaths paths; // the directory of the executable
    TfrmComm frmComm(paths);
    Tfrmmsg frmmsg;
    frmComm.setStatusWindow(&frmmsg);

    QuitSignalWatcher quitSignals;
    QObject::connect(&quitSignals, &QuitSignalWatcher::quitRequested, &frmComm, [&frmComm] { frmComm.close(); });

    // Maximised; without a window manager to do it, the window takes the screen itself.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frmComm.setGeometry(screen->availableGeometry());
    frmComm.showMaximized();
    const int rc = app.exec();
    frmComm.shutdown();
    return rc;
}
