// Where the program directory is, the command line, and the password file's move into the
// system folder of its own.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "shell/command_line.h"
#include "shell/program_location.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestProgramLocation : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("TAMSEL_PROGRAM_DIR"); }

    void programDirByLayout_data()
    {
        QTest::addColumn<QString>("executableDir"); // relative to a temporary root
        QTest::addColumn<QStringList>("folders");   // made under the root
        QTest::addColumn<QByteArray>("override");
        QTest::addColumn<QString>("expected");      // "<exe>" for the executable's folder
        const QString shared = QStringLiteral("/var/lib/tamsel/station");
        QTest::newRow("installed: bin beside share/tamsel")
            << "usr/bin" << QStringList{"usr/bin", "usr/share/tamsel/data"} << QByteArray() << shared;
        QTest::newRow("build folder: bin without share/tamsel")
            << "build/bin" << QStringList{"build/bin/data"} << QByteArray() << "<exe>";
        QTest::newRow("copied program folder beside share/tamsel, not named bin")
            << "usr/Tamsel" << QStringList{"usr/Tamsel", "usr/share/tamsel"} << QByteArray() << "<exe>";
        QTest::newRow("TAMSEL_PROGRAM_DIR over the installed folder")
            << "usr/bin" << QStringList{"usr/bin", "usr/share/tamsel"} << QByteArray("/srv/station") << "/srv/station";
        QTest::newRow("TAMSEL_PROGRAM_DIR over a build folder")
            << "build/bin" << QStringList{"build/bin"} << QByteArray(" /srv/station ") << "/srv/station";
        QTest::newRow("blank TAMSEL_PROGRAM_DIR is unset")
            << "build/bin" << QStringList{"build/bin"} << QByteArray("  ") << "<exe>";
    }
    void programDirByLayout()
    {
        QFETCH(QString, executableDir);
        QFETCH(QStringList, folders);
        QFETCH(QByteArray, override);
        QFETCH(QString, expected);
        QTemporaryDir root;
        for (const QString& f : folders)
            QVERIFY(QDir(root.path()).mkpath(f));
        if (!override.isNull())
            qputenv("TAMSEL_PROGRAM_DIR", override);
        const QString exe = root.filePath(executableDir);
        QCOMPARE(ProgramLocation::programDir(exe), expected == QLatin1String("<exe>") ? exe : expected);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("version");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << false << false << QStringList{} << QString();
        QTest::newRow("files") << QStringList{"a.sld", "dir/b c.sld"} << false << false
                               << QStringList{"a.sld", "dir/b c.sld"} << QString();
        QTest::newRow("--version") << QStringList{"--version"} << true << false << QStringList{} << QString();
        QTest::newRow("-v and a file") << QStringList{"x.sld", "-v"} << true << false << QStringList{"x.sld"}
                                       << QString();
        QTest::newRow("-h") << QStringList{"-h"} << false << true << QStringList{} << QString();
        QTest::newRow("unknown option") << QStringList{"--print", "a.sld"} << false << false
                                        << QStringList{"a.sld"} << "unknown option --print";
        QTest::newRow("-- ends the options") << QStringList{"--", "-v", "--help"} << false << false
                                             << QStringList{"-v", "--help"} << QString();
        QTest::newRow("a lone dash is a file") << QStringList{"-"} << false << false << QStringList{"-"}
                                               << QString();
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        const CommandLine line = CommandLine::parse(arguments);
        QTEST(line.version, "version");
        QTEST(line.help, "help");
        QTEST(line.files, "files");
        QTEST(line.error, "error");
    }

    void passwordFileMovesIntoTheSystemFolder()
    {
        QTemporaryDir root;
        const QString oldFile = root.filePath(QStringLiteral("IRpaswd.ini"));
        const QString newFile = root.filePath(QStringLiteral("system/IRpaswd.ini"));
        const QByteArray content("[IRPaswd]\r\nLogin=Geheim \xB5\r\nprameter protection list=x\r\ninistoin=0\r\n");
        QVERIFY(writeFile(oldFile, content));

        QCOMPARE(ProgramLocation::movePasswordFile(oldFile, newFile), ProgramLocation::Move::Moved);
        QCOMPARE(readFile(newFile), content);
        QVERIFY(!QFile::exists(oldFile));
        // Once moved, there is nothing left to move.
        QCOMPARE(ProgramLocation::movePasswordFile(oldFile, newFile), ProgramLocation::Move::NothingToDo);
    }

    void passwordFileInTheNewPlaceWins()
    {
        QTemporaryDir root;
        const QString oldFile = root.filePath(QStringLiteral("IRpaswd.ini"));
        const QString newFile = root.filePath(QStringLiteral("system/IRpaswd.ini"));
        QVERIFY(writeFile(oldFile, "[IRPaswd]\nLogin=old\n"));
        QVERIFY(writeFile(newFile, "[IRPaswd]\nLogin=new\n"));
        QCOMPARE(ProgramLocation::movePasswordFile(oldFile, newFile), ProgramLocation::Move::NothingToDo);
        QCOMPARE(readFile(newFile), QByteArray("[IRPaswd]\nLogin=new\n"));
        QCOMPARE(readFile(oldFile), QByteArray("[IRPaswd]\nLogin=old\n"));
    }

    void failedMoveKeepsTheOldFile()
    {
        QTemporaryDir root;
        const QString oldFile = root.filePath(QStringLiteral("IRpaswd.ini"));
        QVERIFY(writeFile(oldFile, "[IRPaswd]\nLogin=kept\n"));
        // The new folder cannot be made: a file stands where it should be.
        QVERIFY(writeFile(root.filePath(QStringLiteral("system")), "not a folder"));
        QString error;
        QCOMPARE(ProgramLocation::movePasswordFile(oldFile, root.filePath(QStringLiteral("system/IRpaswd.ini")), &error),
                 ProgramLocation::Move::Failed);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(oldFile), QByteArray("[IRPaswd]\nLogin=kept\n"));
    }

    void noMoveWhenTheSystemFolderIsNamed()
    {
        qputenv("TAMSEL_SYSTEM_DIR", QTemporaryDir().path().toLocal8Bit());
        QCOMPARE(ProgramLocation::movePasswordFileOfThisMachine(), ProgramLocation::Move::NothingToDo);
        qunsetenv("TAMSEL_SYSTEM_DIR");
    }
};

QTEST_GUILESS_MAIN(TestProgramLocation)
#include "test_program_location.moc"
