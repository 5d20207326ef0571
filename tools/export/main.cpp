#include <cstring>
#include <memory>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

int exportRecord(const QStringList& args);   // record_export.cpp
int exportProfiles(const QStringList& args); // profile_export.cpp
int recoverJournal(const QStringList& args);  // journal_recover.cpp
int exportOperationLog(const QStringList& args); // oplog_export.cpp

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
    QTextStream err(stderr);
    const QString usage = QStringLiteral(
        "usage: tamsel-export record FILE.sld --json|--csv [--salvage]\n"
        "       tamsel-export record FILE.sld --pdf OUT.pdf [--lang en|zh] [--template FILE] [--salvage]\n"
        "       tamsel-export profiles FILE.irl --json|--csv\n"
        "       tamsel-export oplog OpRec.dat --tsv|--csv|--json [--lang en|zh]\n"
        "       tamsel-export recover JOURNAL OUT.sld\n");
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream(stdout) << usage;
        return args.isEmpty() ? 2 : 0;
    }
    const QString kind = args.takeFirst();
    if (kind == QLatin1String("record"))
        return exportRecord(args);
    if (kind == QLatin1String("profiles"))
        return exportProfiles(args);
    if (kind == QLatin1String("recover"))
        return recoverJournal(args);
    if (kind == QLatin1String("oplog"))
        return exportOperationLog(args);
    err << "tamsel-export: unknown kind '" << kind << "'\n" << usage;
    return 2;
}
