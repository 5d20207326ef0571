#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/language.h"
#include "shell/password_settings.h"
#include "shell/program_paths.h"
#include "shell/program_settings.h"
#include "shell/settings.h"
#include "support/file_bytes.h"

Q_DECLARE_METATYPE(std::optional<Language>)
Q_DECLARE_METATYPE(std::optional<LineWidth>)

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ProgramPaths m_paths{QString()};

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_paths = ProgramPaths(m_dir.path());
        QDir(m_paths.dataDir()).removeRecursively();
        QVERIFY(QDir().mkpath(m_paths.dataDir()));
    }

    void everyKeyHasItsDefaultWithoutFile()
    {
        const Settings s(m_paths);
        QCOMPARE(s.commPort(), 0);
        QCOMPARE(s.bautrate(), 3);
        QCOMPARE(s.language(), 1);
        QCOMPARE(s.lineWidth(), 1);
        QCOMPARE(s.quickUpdate(), false);
        QCOMPARE(s.currentLc(), -1);
        QCOMPARE(s.userCode(), QString());
        QCOMPARE(s.savePath(), QString());
        QCOMPARE(s.intrals(), 1.0);
        QCOMPARE(s.changePcbMode(), false);
        QCOMPARE(s.currUser(), QString());
        QCOMPARE(s.celsiusText(kLanguageIdChinese), QStringLiteral("°C"));
        QCOMPARE(s.fahrenheitText(kLanguageIdEnglish), QStringLiteral("°F"));

        // What a first start without the file comes to: Chinese, COM1 at 19200 baud, 1.0 s,
        // Small lines, quick upload off, no current profile.
        ProgramSettings run;
        run.readLinkSettings(s);
        run.readStartSettings(s, kLanguageIdChinese);
        QCOMPARE(languageFromSetting(s.language()), std::optional<Language>(Language::Chinese));
        QCOMPARE(Settings::portName(s.commPort()), QStringLiteral("COM1"));
        QCOMPARE(Settings::baudRateFor(s.bautrate()), 19200);
        QCOMPARE(run.samplingInterval, 1.0f);
        QCOMPARE(run.lineWidth, std::optional<LineWidth>(LineWidth::Small));
        QCOMPARE(run.quickUpdate, false);
        QCOMPARE(run.currentLc, -1);
        QCOMPARE(run.changePcbMode, false);
        QCOMPARE(run.celsiusText, QStringLiteral("°C"));
        QCOMPARE(run.fahrenheitText, QStringLiteral("°F"));
        QVERIFY(!QFileInfo::exists(m_paths.settingsFile()));
    }

    void everyKeyIsStoredWhereTheFileHasIt()
    {
        {
            Settings s(m_paths);
            QVERIFY(s.setCommPort(4));
            QVERIFY(s.setBautrate(-1));
            QVERIFY(s.setLanguage(0));
            QVERIFY(s.setLineWidth(3));
            QVERIFY(s.setQuickUpdate(true));
            QVERIFY(s.setCurrentLc(12));
            QVERIFY(s.setUserCode(QStringLiteral("E-007")));
            QVERIFY(s.setSavePath(QStringLiteral("/srv/backup/")));
            QVERIFY(s.setIntrals(QStringLiteral("0.5")));
            QVERIFY(s.setChangePcbMode(true));
            QVERIFY(s.setCurrUser(QStringLiteral("张三")));
        }
        const IniFile ini(m_paths.settingsFile());
        QCOMPARE(ini.readBytes(QStringLiteral("Comm"), QStringLiteral("CommPort")), QByteArray("4"));
        QCOMPARE(ini.readBytes(QStringLiteral("Comm"), QStringLiteral("BAUTRATE")), QByteArray("-1"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("language")), QByteArray("0"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("LineWidth")), QByteArray("3"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("QuickUpdate")), QByteArray("1"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("CurrentLc")), QByteArray("12"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("User_Code")), QByteArray("E-007"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("savePath")), QByteArray("/srv/backup/"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("intrals")), QByteArray("0.5"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("ChangePCBMode")), QByteArray("1"));
        QCOMPARE(ini.readBytes(QStringLiteral("Option"), QStringLiteral("CurrUser")), QByteArray("\xD5\xC5\xC8\xFD"));

        const Settings s(m_paths);
        QCOMPARE(s.commPort(), 4);
        QCOMPARE(s.bautrate(), -1);
        QCOMPARE(s.intrals(), 0.5);
        QCOMPARE(s.currUser(), QStringLiteral("张三"));
    }

    void emptyIntervalReadsAsOneSecond()
    {
        Settings s(m_paths);
        QVERIFY(s.setIntrals(QString()));
        QCOMPARE(Settings(m_paths).intrals(), 1.0);
    }

    void baudRate_data()
    {
        QTest::addColumn<int>("bautrate");
        QTest::addColumn<int>("baud");
        QTest::newRow("0") << 0 << 9600;
        QTest::newRow("1") << 1 << 19200;
        QTest::newRow("3, the default") << 3 << 19200;
        QTest::newRow("none chosen") << -1 << 19200;
    }
    void baudRate()
    {
        QFETCH(int, bautrate);
        QFETCH(int, baud);
        QCOMPARE(Settings::baudRateFor(bautrate), baud);
    }

    void portNameAndDevice()
    {
        QCOMPARE(Settings::portName(4), QStringLiteral("COM5"));
        QCOMPARE(Settings::portName(-1), QStringLiteral("COM0"));
        QCOMPARE(Settings::portName(INT_MAX), QStringLiteral("COM2147483648"));
        writeAll(m_paths.settingsFile(), "[ports]\ncom2 = /dev/pts/7\nCOM3=\n");
        const Settings s(m_paths);
#ifdef Q_OS_WIN
        QCOMPARE(s.portDevice(1), QStringLiteral("COM2"));
#else
        QCOMPARE(s.portDevice(1), QStringLiteral("/dev/pts/7"));
        QCOMPARE(s.portDevice(2), QStringLiteral("/dev/ttyS2"));  // an empty entry maps nothing
        QCOMPARE(s.portDevice(0), QStringLiteral("/dev/ttyS0"));
#endif
    }

    void unitTextsComeFromTheLanguageSection()
    {
        writeAll(m_paths.settingsFile(), "[2052]\nsheshi=\xA1\xE6\nhuashi=degF\n[1033]\nsheshi=C\n");
        const Settings s(m_paths);
        ProgramSettings run;
        run.readStartSettings(s, kLanguageIdChinese);
        QCOMPARE(run.celsiusText, QStringLiteral("℃"));
        QCOMPARE(run.fahrenheitText, QStringLiteral("degF"));
        run.readStartSettings(s, kLanguageIdEnglish);
        QCOMPARE(run.celsiusText, QStringLiteral("C"));
        QCOMPARE(run.fahrenheitText, QStringLiteral("°F"));

        QCOMPARE(run.unitTexts().text(true, Language::English), QStringLiteral("C"));
        QCOMPARE(run.unitTexts().text(false, Language::English), QStringLiteral("°F"));
        QCOMPARE(run.unitTexts().text(true, Language::Chinese), QStringLiteral("℃"));
        QCOMPARE(run.unitTexts().text(false, Language::Chinese), QStringLiteral("℉"));
    }

    void languageSetting_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<std::optional<Language>>("applied");
        QTest::addColumn<Language>("portError");
        QTest::newRow("0 English") << 0 << std::optional<Language>(Language::English) << Language::English;
        QTest::newRow("1 Chinese") << 1 << std::optional<Language>(Language::Chinese) << Language::Chinese;
        QTest::newRow("7 nothing") << 7 << std::optional<Language>() << Language::Chinese;
        QTest::newRow("-1 nothing") << -1 << std::optional<Language>() << Language::Chinese;
    }
    void languageSetting()
    {
        QFETCH(int, stored);
        QFETCH(std::optional<Language>, applied);
        QFETCH(Language, portError);
        QCOMPARE(languageFromSetting(stored), applied);
        QCOMPARE(portErrorLanguage(stored), portError);
    }

    void lineWidthSetting_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<std::optional<LineWidth>>("selected");
        QTest::newRow("1") << 1 << std::optional<LineWidth>(LineWidth::Small);
        QTest::newRow("2") << 2 << std::optional<LineWidth>(LineWidth::Medium);
        QTest::newRow("3") << 3 << std::optional<LineWidth>(LineWidth::Large);
        QTest::newRow("5 selects nothing") << 5 << std::optional<LineWidth>();
        QTest::newRow("0 selects nothing") << 0 << std::optional<LineWidth>();
    }
    void lineWidthSetting()
    {
        QFETCH(int, stored);
        QFETCH(std::optional<LineWidth>, selected);
        QCOMPARE(lineWidthFromSetting(stored), selected);
        writeAll(m_paths.settingsFile(), "[Option]\nLineWidth=" + QByteArray::number(stored) + "\n");
        ProgramSettings run;
        run.readStartSettings(Settings(m_paths), kLanguageIdEnglish);
        QCOMPARE(run.lineWidth, selected);
    }

    // language 7 leaves English checked and LineWidth 5 leaves Small checked: shutdown then
    // stores 0 and 1.
    void shutdownWritesTheCheckedStates()
    {
        writeAll(m_paths.settingsFile(), "; by hand\n[Option]\nlanguage=7\nLineWidth=5\n[Comm]\nCommPort=2\n");
        ProgramSettings run;
        run.currentLc = 3;
        run.userCode = QStringLiteral("E-9");
        Settings s(m_paths);
        QVERIFY(run.writeAtShutdown(s, Language::English, LineWidth::Small, true));
        QCOMPARE(readAll(m_paths.settingsFile()),
                 QByteArray("; by hand\n[Option]\nlanguage=0\nLineWidth=1\nQuickUpdate=1\nCurrentLc=3\n"
                            "User_Code=E-9\n[Comm]\nCommPort=2\n"));

        QVERIFY(run.writeAtShutdown(s, Language::Chinese, LineWidth::Large, false));
        const Settings again(m_paths);
        QCOMPARE(again.language(), 1);
        QCOMPARE(again.lineWidth(), 3);
        QCOMPARE(again.quickUpdate(), false);
    }

    void shutdownWithoutFileCreatesIt()
    {
        Settings s(m_paths);
        QVERIFY(ProgramSettings().writeAtShutdown(s, Language::Chinese, LineWidth::Small, false));
        const Settings again(m_paths);
        QVERIFY(again.file().contains(QStringLiteral("Option"), QStringLiteral("language")));
        QVERIFY(again.file().contains(QStringLiteral("Option"), QStringLiteral("User_Code")));
        QCOMPARE(again.currentLc(), -1);
    }

    void shutdownWithoutDataDirectoryFailsNamingTheFile()
    {
        QVERIFY(QDir(m_paths.dataDir()).removeRecursively());
        Settings s(m_paths);
        QVERIFY(!ProgramSettings().writeAtShutdown(s, Language::Chinese, LineWidth::Small, false));
        QVERIFY2(s.errorString().contains(m_paths.settingsFile()), qPrintable(s.errorString()));
        QVERIFY(!QFileInfo::exists(m_paths.dataDir()));
    }

    void passwordFileKeys()
    {
        const QString path = m_dir.filePath(QStringLiteral("IRpaswd.ini"));
        QFile::remove(path);
        {
            const PasswordSettings p(path);
            QCOMPARE(p.login(), QString());
            QCOMPARE(p.parameterPassword(), QString());
            QCOMPARE(p.inistoin(), true);
        }
        PasswordSettings p(path);
        QVERIFY(p.setLogin(QStringLiteral("Ab c")));
        QVERIFY(p.setParameterPassword(QStringLiteral("pw")));
        QVERIFY(p.setInistoin(false));
        QVERIFY(p.setInistoin2(false));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("[IRPaswd]"));
        QVERIFY(bytes.contains("Login=Ab c"));
        QVERIFY(bytes.contains("prameter protection list=pw"));
        QVERIFY(bytes.contains("inistoin=0"));
        QVERIFY(bytes.contains("inistoin2=0"));
        const PasswordSettings again(path);
        QCOMPARE(again.login(), QStringLiteral("Ab c"));
        QCOMPARE(again.parameterPassword(), QStringLiteral("pw"));
        QCOMPARE(again.inistoin(), false);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
