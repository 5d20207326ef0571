// tamsel-export's command lines: every command answers a usage error the same way, with a
// message naming the command and exit status 2, before it touches any file.

#include <QProcess>
#include <QtTest>

class TestExportUsage : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };

    static Run run(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(TAMSEL_BIN_DIR "/tamsel-export"), args);
        if (!p.waitForFinished(60000))
            return {-1, {}, {}};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }

private slots:
    void usageErrorsExitTwoNamingTheCommand_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        // The files named here do not exist: a usage error is found before any file is read.
        const QList<std::pair<QStringList, QString>> rows{
            {{"record", "r.sld"}, "record: choose one of --json, --csv and --pdf"},
            {{"record", "r.sld", "--json", "--csv"}, "record: choose one of --json, --csv and --pdf"},
            {{"record", "r.sld", "--json", "--json"}, "record: --json given twice"},
            {{"record", "r.sld", "--jsn"}, "record: unknown option '--jsn'"},
            {{"record", "r.sld", "--pdf"}, "record: --pdf needs a value (OUT.pdf)"},
            {{"record", "r.sld", "--pdf", "--lang", "zh"}, "record: --pdf needs a value (OUT.pdf)"},
            {{"record", "r.sld", "--pdf", "o.pdf", "--lang", "fr"}, "record: --lang is en or zh, not 'fr'"},
            {{"record", "r.sld", "--json", "--lang", "zh"}, "record: --lang goes only with --pdf"},
            {{"record", "r.sld", "--csv", "--template", "t.frf"}, "record: --template goes only with --pdf"},
            {{"record", "r.sld", "--csv", "--salvage", "--salvage"}, "record: --salvage given twice"},
            {{"record", "r.sld", "s.sld", "--json"}, "record: unexpected argument 's.sld'"},
            {{"record", "--csv"}, "record: FILE.sld is missing"},
            {{"profiles", "f.irl", "--json", "--csv"}, "profiles: choose one of --json and --csv"},
            {{"profiles", "f.irl"}, "profiles: choose one of --json and --csv"},
            {{"profiles", "--json"}, "profiles: FILE.irl is missing"},
            {{"profiles", "f.irl", "--json", "--salvage"}, "profiles: unknown option '--salvage'"},
            {{"profiles", "f.irl", "g.irl", "--csv"}, "profiles: unexpected argument 'g.irl'"},
            {{"oplog", "OpRec.dat", "--tsv", "--csv"}, "oplog: choose one of --tsv, --csv and --json"},
            {{"oplog", "OpRec.dat", "--tsv", "--lang"}, "oplog: --lang needs a value (en|zh)"},
            {{"oplog", "OpRec.dat", "--tsv", "--lang", "de"}, "oplog: --lang is en or zh, not 'de'"},
            {{"oplog", "OpRec.dat", "--json", "--lang", "zh"}, "oplog: --lang goes only with --tsv"},
            {{"oplog", "--tsv"}, "oplog: OpRec.dat is missing"},
            {{"figures", "a.sld"}, "figures: --csv is required"},
            {{"figures", "--csv"}, "figures: FILE.sld|FOLDER is missing"},
            {{"figures", "a.sld", "--csv", "--window"}, "figures: --window needs a value (CommConfig.ini)"},
            {{"figures", "a.sld", "--csv", "-x"}, "figures: unknown option '-x'"},
            {{"recover"}, "recover: JOURNAL is missing"},
            {{"recover", "j"}, "recover: OUT.sld is missing"},
            {{"recover", "j", "o.sld", "x"}, "recover: unexpected argument 'x'"},
            {{"recover", "j", "o.sld", "--json"}, "recover: unknown option '--json'"},
            {{"convert", "r.sld"}, ": unknown command 'convert'"},
        };
        for (const auto& [args, message] : rows)
            QTest::newRow(qPrintable(args.join(QLatin1Char(' ')))) << args << message;
    }

    void usageErrorsExitTwoNamingTheCommand()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QStringList lines = QString::fromUtf8(r.err).split(QLatin1Char('\n'));
        // Qt's own notes about the platform (with --pdf) may come first.
        while (lines.size() > 1 && !lines.first().startsWith(QLatin1String("tamsel-export")))
            lines.removeFirst();
        const bool knownCommand = !message.startsWith(QLatin1Char(':'));
        QCOMPARE(lines.first(),
                 QStringLiteral("tamsel-export") + (knownCommand ? QStringLiteral(" ") : QString()) + message);
        // The usage follows: the command's own when the command is known.
        const QString usage =
            QStringLiteral("usage: tamsel-export ") + (knownCommand ? args.first() + QLatin1Char(' ') : QString());
        QVERIFY2(lines.value(1).startsWith(usage), r.err.constData());
    }

    // "--help" anywhere before "--" prints the command's usage on stdout and succeeds;
    // after "--" a name that looks like an option is a file.
    void helpAndEndOfOptions()
    {
        for (const char* command : {"record", "profiles", "oplog", "figures", "recover"}) {
            const Run r = run({QString::fromLatin1(command), "x", "--help"});
            QCOMPARE(r.exitCode, 0);
            QVERIFY(r.out.startsWith(QByteArray("usage: tamsel-export ") + command + ' '));
        }
        const Run top = run({});
        QCOMPARE(top.exitCode, 2);
        QVERIFY(top.err.startsWith("usage: tamsel-export record "));
        // Past the usage checks, the missing file is a file problem.
        const Run file = run({"profiles", "--json", "--", "--odd.irl"});
        QCOMPARE(file.exitCode, 1);
        QVERIFY2(file.err.contains("--odd.irl"), file.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestExportUsage)
#include "test_export_usage.moc"
