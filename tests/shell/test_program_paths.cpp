#include <QtTest>

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QScopeGuard>

#include "shell/language.h"
#include "shell/program_paths.h"

class TestProgramPaths : public QObject
{
    Q_OBJECT

    static QString native(const QString& path) { return QDir::toNativeSeparators(path); }

private slots:
    void defaultIsTheExecutableDirectory()
    {
        QCOMPARE(ProgramPaths().programDir(), native(QCoreApplication::applicationDirPath()));
    }

    void finalSeparatorMakesNoDifference_data()
    {
        QTest::addColumn<QString>("given");
        const QString root = QDir::tempPath() + QStringLiteral("/Tamsel");
        QTest::newRow("without") << root;
        QTest::newRow("with") << root + QStringLiteral("/");
        QTest::newRow("native with") << native(root) + QDir::separator();
        QTest::newRow("doubled") << root + QStringLiteral("//");
    }
    void finalSeparatorMakesNoDifference()
    {
        QFETCH(QString, given);
        const QString root = native(QDir::tempPath() + QStringLiteral("/Tamsel"));
        const QChar sep = QDir::separator();
        const ProgramPaths paths(given);
        QCOMPARE(paths.programDir(), root);
        QCOMPARE(paths.settingsFile(), root + sep + "data" + sep + "CommConfig.ini");
        QCOMPARE(paths.dataDir(), root + sep + "data");
        QCOMPARE(paths.dataFile(QStringLiteral("model.irl")), root + sep + "data" + sep + "model.irl");
        QCOMPARE(paths.fileDir(), root + sep + "file");
        QCOMPARE(paths.paramBakDir(), root + sep + "ParamBAK");
        QCOMPARE(paths.paramBakFile(QStringLiteral("model.irl")), root + sep + "ParamBAK" + sep + "model.irl");
        QCOMPARE(paths.programFile(QStringLiteral("UserList.dat")), root + sep + "UserList.dat");
    }

    void systemDirOverride_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<QString>("expected");
        const QString dir = native(QDir::tempPath() + QStringLiteral("/sys"));
        QTest::newRow("plain") << (dir).toLocal8Bit() << dir + QDir::separator();
        QTest::newRow("final separator") << (dir + QDir::separator()).toLocal8Bit() << dir + QDir::separator();
        QTest::newRow("blanks around") << ("  " + dir + "  ").toLocal8Bit() << dir + QDir::separator();
#ifndef Q_OS_WIN
        QTest::newRow("blank is unset") << QByteArray("   ") << QStringLiteral("/var/lib/tamsel/system/");
#endif
    }
    void systemDirOverride()
    {
        QFETCH(QByteArray, env);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("TAMSEL_SYSTEM_DIR");
        const bool wasSet = qEnvironmentVariableIsSet("TAMSEL_SYSTEM_DIR");
        const auto restore = qScopeGuard([&] {
            if (wasSet)
                qputenv("TAMSEL_SYSTEM_DIR", saved);
            else
                qunsetenv("TAMSEL_SYSTEM_DIR");
        });
        qputenv("TAMSEL_SYSTEM_DIR", env);
        QCOMPARE(ProgramPaths::systemDir(), expected);
        QCOMPARE(ProgramPaths::passwordFile(), expected + QStringLiteral("IRpaswd.ini"));
    }

#ifndef Q_OS_WIN
    void systemDirWithoutOverride()
    {
        const QByteArray saved = qgetenv("TAMSEL_SYSTEM_DIR");
        const bool wasSet = qEnvironmentVariableIsSet("TAMSEL_SYSTEM_DIR");
        qunsetenv("TAMSEL_SYSTEM_DIR");
        const QString dir = ProgramPaths::systemDir();
        if (wasSet)
            qputenv("TAMSEL_SYSTEM_DIR", saved);
        QCOMPARE(dir, QStringLiteral("/var/lib/tamsel/system/"));
    }
#endif

    void languageIdOfLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id");
        QTest::newRow("zh_CN") << "zh_CN" << 2052;
        QTest::newRow("zh_TW") << "zh_TW" << 2052;
        QTest::newRow("en_US") << "en_US" << 1033;
        QTest::newRow("de_DE") << "de_DE" << 1033;
        QTest::newRow("C") << "C" << 1033;
    }
    void languageIdOfLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, id);
        QCOMPARE(languageIdForLocale(QLocale(locale)), id);
    }
};

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "test_program_paths.moc"
