#include <QtTest>

#include "shell/program_paths.h"
#include "shell/save_leftovers.h"

// A kill in the middle of a save leaves "<file>.XXXXXX" beside the file. Start-up removes
// those of the program's own files and nothing else.
class TestSaveLeftovers : public QObject
{
    Q_OBJECT

    static void touch(const QString& path)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

private slots:
    void onlyTheTemporariesOfOwnFilesGo()
    {
        QTemporaryDir program;
        QTemporaryDir system;
        qputenv("TAMSEL_SYSTEM_DIR", system.path().toLocal8Bit());
        QTemporaryDir save;
        const ProgramPaths paths(program.path());

        const QStringList gone = {
            paths.dataFile(QStringLiteral("model.irl.ZJWdUn")),
            paths.dataFile(QStringLiteral("stru.ssf.aB3dE9")),
            paths.dataFile(QStringLiteral("CommConfig.ini.QWERTY")),
            paths.dataFile(QStringLiteral("OpRec.dat.qwerty")),
            paths.paramBakFile(QStringLiteral("model.irl.Xy12Zz")),
            paths.programFile(QStringLiteral("UserList.dat.AbCdEf")),
            system.filePath(QStringLiteral("IRpaswd.ini.AbCdEf")),
            save.filePath(QStringLiteral("model.irl.KqPzLm")),
        };
        const QStringList kept = {
            paths.dataFile(QStringLiteral("model.irl")),
            paths.dataFile(QStringLiteral("model.irl.ZJWdU")),   // five characters
            paths.dataFile(QStringLiteral("model.irl.ZJWdUnn")), // seven
            paths.dataFile(QStringLiteral("model.irl.ZJ-dUn")),  // not a letter or digit
            paths.dataFile(QStringLiteral("xmodel.irl.ZJWdUn")), // another file's
            paths.dataFile(QStringLiteral("print.frf.ZJWdUn")),  // not a file the program saves
            paths.dataFile(QStringLiteral("UserList.dat.AbCdEf")), // in the wrong directory
            paths.programFile(QStringLiteral("model.irl.ZJWdUn")),
            paths.fileDir() + QStringLiteral("/model.irl.ZJWdUn"),
        };
        for (const QString& f : gone + kept)
            touch(f);
        // A directory of such a name is no leftover.
        QVERIFY(QDir().mkpath(paths.dataFile(QStringLiteral("stru.ssf.Folder"))));

        QStringList removed = removeProgramSaveLeftovers(paths, save.path() + QStringLiteral("/"));
        QStringList expected;
        for (const QString& f : gone)
            expected << QFileInfo(f).absoluteFilePath();
        removed.sort();
        expected.sort();
        QCOMPARE(removed, expected);
        for (const QString& f : gone)
            QVERIFY2(!QFile::exists(f), qPrintable(f));
        for (const QString& f : kept)
            QVERIFY2(QFile::exists(f), qPrintable(f));
        QVERIFY(QFileInfo(paths.dataFile(QStringLiteral("stru.ssf.Folder"))).isDir());

        // Missing directories are no error.
        QTemporaryDir empty;
        QVERIFY(removeProgramSaveLeftovers(ProgramPaths(empty.filePath(QStringLiteral("none")))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSaveLeftovers)
#include "test_save_leftovers.moc"
