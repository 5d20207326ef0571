#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int exportRecord(const QStringList& args);   // record_export.cpp
int exportProfiles(const QStringList& args); // profile_export.cpp
int recoverJournal(const QStringList& args);  // journal_recover.cpp

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    const QString usage = QStringLiteral(
        "usage: tamsel-export record FILE.sld --json|--csv [--salvage]\n"
        "       tamsel-export profiles FILE.irl --json|--csv\n"
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
    err << "tamsel-export: unknown kind '" << kind << "'\n" << usage;
    return 2;
}
