#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include "export_args.h"

int main(int argc, char** argv)
{
    // A PDF report needs fonts and painting: a GUI application on the offscreen platform,
    // so no display is needed.
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || std::strcmp(argv[i], "--pdf") == 0;
    if (pdf)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (pdf)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    const QList<ExportCommand> commands{recordCommand(), profilesCommand(), oplogCommand(), figuresCommand(),
                                        recoverCommand()};
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream(args.isEmpty() ? stderr : stdout) << exportUsage(commands);
        return args.isEmpty() ? ExportUsageError : ExportOk;
    }
    const QString name = args.takeFirst();
    for (const ExportCommand& command : commands)
        if (command.name == name)
            return runExportCommand(command, args);
    QTextStream(stderr) << "tamsel-export: unknown command '" << name << "'\n" << exportUsage(commands);
    return ExportUsageError;
}
