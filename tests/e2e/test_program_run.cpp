// The program itself, offscreen, from a program directory of its own: it greets the
// station on COM1 (mapped to tamsel-station's pseudo-terminal), polls it, and ends on
// SIGTERM through its normal shutdown.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "shell/ini_file.h"
#include "station_process.h"

class TestProgramRun : public QObject
{
    Q_OBJECT

    // The executable and the checksum library it loads, copied: the program directory is
    // the executable's own.
    static bool makeProgramDir(const QString& dir)
    {
        if (!QDir().mkpath(dir + QStringLiteral("/data")))
            return false;
        for (const char* name : {"Tamsel", "libTamselcrc.so"}) {
            const QString from = QStringLiteral(TAMSEL_BIN_DIR "/") + QLatin1String(name);
            if (!QFile::copy(from, dir + QLatin1Char('/') + QLatin1String(name)))
                return false;
        }
        return true;
    }

private slots:
    void greetsPollsAndShutsDownOnSigterm_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Chinese") << 1;
    }
    void greetsPollsAndShutsDownOnSigterm()
    {
        QFETCH(int, language);
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("COM1"));
        StationProcess station({QStringLiteral("--link"), link});
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(!station.path().isEmpty(), 10000);

        const QString program = dir.filePath(QStringLiteral("program"));
        QVERIFY(makeProgramDir(program));
        const QString settingsFile = program + QStringLiteral("/data/CommConfig.ini");
        {
            IniFile ini(settingsFile);
            QVERIFY(ini.writeString("Ports", "COM1", link));
            QVERIFY(ini.writeInteger("Option", "language", language));
            QVERIFY(ini.writeInteger("Option", "LineWidth", 5));
        }
        const QString systemDir = dir.filePath(QStringLiteral("system"));
        QDir().mkpath(systemDir);
        {
            IniFile pw(systemDir + QStringLiteral("/IRpaswd.ini"));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
        }

        QProcess tamsel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAMSEL_SYSTEM_DIR"), systemDir);
        tamsel.setProcessEnvironment(env);
        tamsel.setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer sinceStart;
        sinceStart.start();
        tamsel.start(program + QStringLiteral("/Tamsel"), {});
        QVERIFY(tamsel.waitForStarted(5000));

        // The hello comes at the end of the first show of the main window.
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("hello")) >= 1, 10000);
        qInfo("start to hello: %lld ms", static_cast<long long>(sinceStart.elapsed()));
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("poll flow=0")) >= 2, 10000);
        QCOMPARE(station.count(QStringLiteral("crc-error")), 0);
        QCOMPARE(tamsel.state(), QProcess::Running);

        tamsel.terminate();
        QVERIFY(tamsel.waitForFinished(10000));
        QCOMPARE(tamsel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tamsel.exitCode(), 0);

        QFile ssf(program + QStringLiteral("/data/stru.ssf"));
        QVERIFY(ssf.open(QIODevice::ReadOnly));
        const QByteArray blocks = ssf.readAll();
        QCOMPARE(blocks.size(), 100);
        QCOMPARE(uint8_t(blocks[0]), uint8_t(0xFF));
        QCOMPARE(uint8_t(blocks[50]), uint8_t(0xFF));

        IniFile ini(settingsFile);
        QCOMPARE(ini.readInteger("Option", "language", -9), language);
        QCOMPARE(ini.readInteger("Option", "LineWidth", -9), 1);
        QCOMPARE(ini.readInteger("Option", "QuickUpdate", -9), 0);
        QCOMPARE(ini.readInteger("Option", "CurrentLc", -9), -1);
        QVERIFY(ini.contains("Option", "User_Code"));
        // What was there stays.
        QCOMPARE(ini.readString("Ports", "COM1"), link);
    }
};

QTEST_MAIN(TestProgramRun)
#include "test_program_run.moc"
