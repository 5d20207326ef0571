// Tamsel: the program entry. The command line names record files to open (Tamsel FILE.sld);
// a later start hands its files to the running program instead of opening a second link.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "shell/command_line.h"
#include "shell/instance_channel.h"
#include "shell/platform.h"
#include "shell/program_location.h"
#include "shell/program_paths.h"
#include "ui/quit_signal_watcher.h"
#include "ui/record_file_hand_over.h"
#include "ui/tfrm_comm.h"
#include "ui/tfrm_msg.h"

#ifndef TAMSEL_VERSION
#define TAMSEL_VERSION "0"
#endif

int main(int argc, char* argv[])
{
    // --version and --help answer before Qt needs a display.
    {
        QStringList raw;
        for (int i = 1; i < argc; ++i)
            raw.append(QString::fromLocal8Bit(argv[i]));
        const CommandLine early = CommandLine::parse(raw);
        if (early.help) {
            std::fputs(CommandLine::usage().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (early.version) {
            std::printf("Tamsel %s\n", TAMSEL_VERSION);
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamsel"));
    QApplication::setApplicationVersion(QStringLiteral(TAMSEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tamsel.Tamsel"));
    // The main window ends the program itself, after its close has been accepted.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own options (-platform, -style, ...) out by now.
    const CommandLine line = CommandLine::parse(QCoreApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "Tamsel: %s\n%s", qPrintable(line.error), qPrintable(CommandLine::usage()));
        return 2;
    }
    // Relative to where Tamsel was started, before the current folder changes.
    QStringList files;
    for (const QString& f : line.files)
        files.append(QFileInfo(f).absoluteFilePath());

    // The executable's folder, or the data folder the operators of an installed Tamsel share.
    const QString executableDir = QCoreApplication::applicationDirPath();
    const bool installed = ProgramLocation::isInstalled(executableDir);
    const ProgramPaths paths(ProgramLocation::programDir(executableDir));
    if (installed)
        Platform::shareNewFilesWithGroup();
    // The record dialogs start in .\file; a program folder has one from its first start.
    QDir().mkpath(paths.fileDir());
    // A shared data folder is where an installed Tamsel works, wherever it was started.
    if (QDir::cleanPath(paths.programDir()) != QDir::cleanPath(executableDir))
        QDir::setCurrent(paths.programDir());

    QString moveError;
    if (ProgramLocation::movePasswordFileOfThisMachine(&moveError) == ProgramLocation::Move::Failed)
        std::fprintf(stderr, "Tamsel: the password file stays where it was: %s\n", qPrintable(moveError));

    // One program per account and program directory: a running one takes the files.
    InstanceChannel channel(paths.programDir());
    switch (channel.handToRunning(files)) {
    case InstanceChannel::Handed::Taken:
        return 0;
    case InstanceChannel::Handed::NoAnswer:
        std::fprintf(stderr, "Tamsel: a running Tamsel (%s) does not answer; it keeps the station link.\n",
                     qPrintable(channel.serverName()));
        return 1;
    case InstanceChannel::Handed::NoneRunning:
        break;
    }
    if (!channel.listen())
        std::fprintf(stderr, "Tamsel: later starts cannot hand files over: %s\n", qPrintable(channel.errorString()));

    TfrmComm frmComm(paths);
    Tfrmmsg frmmsg;
    frmComm.setStatusWindow(&frmmsg);
    auto* recordFiles = new RecordFileHandOver(frmComm);
    QObject::connect(&channel, &InstanceChannel::filesHandedOver, recordFiles, &RecordFileHandOver::handOver);
    recordFiles->open(files);

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
