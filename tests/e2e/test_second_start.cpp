// The program itself, twice: a later start with a record file hands it to the running
// program and ends, and the station sees one link only. --version needs no display.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "shell/ini_file.h"
#include "station_process.h"

class TestSecondStart : public QObject
{
    Q_OBJECT

    // The executable and its checksum library, copied: a program folder of its own.
    static bool makeProgramDir(const QString& dir)
    {
        if (!QDir().mkpath(dir + QStringLiteral("/data")))
            return false;
        for (const char* name : {"Tamsel", "libTamselcrc.so"})
            if (!QFile::copy(QStringLiteral(TAMSEL_BIN_DIR "/") + QLatin1String(name),
                             dir + QLatin1Char('/') + QLatin1String(name)))
                return false;
        return true;
    }

private slots:
    void versionWithoutADisplay()
    {
        QProcess tamsel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        tamsel.setProcessEnvironment(env);
        tamsel.start(QStringLiteral(TAMSEL_BIN_DIR "/Tamsel"), {QStringLiteral("--version")});
        QVERIFY(tamsel.waitForFinished(10000));
        QCOMPARE(tamsel.exitCode(), 0);
        QVERIFY(tamsel.readAllStandardOutput().startsWith("Tamsel "));
    }

    void laterStartHandsTheFileToTheRunningProgram()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("COM1"));
        StationProcess station({QStringLiteral("--link"), link});
        QVERIFY(station.started());
        QTRY_VERIFY_WITH_TIMEOUT(!station.path().isEmpty(), 10000);

        const QString program = dir.filePath(QStringLiteral("program"));
        QVERIFY(makeProgramDir(program));
        {
            IniFile ini(program + QStringLiteral("/data/CommConfig.ini"));
            QVERIFY(ini.writeString("Ports", "COM1", link));
            QVERIFY(ini.writeInteger("Option", "language", 0));
        }
        const QString systemDir = dir.filePath(QStringLiteral("system"));
        QDir().mkpath(systemDir);
        {
            IniFile pw(systemDir + QStringLiteral("/IRpaswd.ini"));
            QVERIFY(pw.writeBool("IRPaswd", "inistoin", false));
        }
        // An empty record: header of version 2.1 and two zero counts.
        const QString record = dir.filePath(QStringLiteral("empty.sld"));
        {
            QFile f(record);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\x03" "2.1", 4) + QByteArray(213, '\0'), 217);
        }

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAMSEL_SYSTEM_DIR"), systemDir);
        QProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(program + QStringLiteral("/Tamsel"), {});
        QVERIFY(first.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("hello")) >= 1, 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(program + QStringLiteral("/Tamsel"), {record});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        // One link: the second start never greeted the station.
        QTRY_VERIFY_WITH_TIMEOUT(station.count(QStringLiteral("poll")) >= 2, 10000);
        QCOMPARE(station.count(QStringLiteral("hello")), 1);
        QCOMPARE(first.state(), QProcess::Running);
        // The program folder has its record folder.
        QVERIFY(QFileInfo(program + QStringLiteral("/file")).isDir());

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_MAIN(TestSecondStart)
#include "test_second_start.moc"
