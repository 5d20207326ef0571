#include <QtTest>

#include "irl_bytes.h"
#include "profiles/profile_file.h"
#include "profiles/profile_table.h"

using namespace IrlBytes;

class TestProfileFile : public QObject
{
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;
    ProfileFilePaths m_paths;

    QString model() const { return m_paths.modelFile(); }
    void putModel(const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(model()).absolutePath());
        QVERIFY(writeFile(model(), bytes));
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_paths = ProfileFilePaths{ m_dir->path(), QString() };
        setSaveTableOnExit(true);
    }
    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
        setSaveTableOnExit(true);
    }

    void loadsFieldsThenSavesTheSameBytes()
    {
        const QByteArray bytes = file({ sampleChinese(), sampleEnglish() });
        QCOMPARE(bytes.size(), 2 + 2 * 208);
        putModel(bytes);

        ProfileTable table;
        QVERIFY(LoadProfileTable(table, model()));
        QCOMPARE(table.RowCount(), 2);
        QCOMPARE(table.Cell(ProfileColumn::Type, 1).toString(), QStringLiteral("拆焊"));
        QCOMPARE(table.Cell(ProfileColumn::Unit, 1).toString(), QStringLiteral("℃"));
        QCOMPARE(table.Cell(ProfileColumn::Unit, 2).toString(), QStringLiteral("℉"));
        QCOMPARE(table.Cell(ProfileColumn::Board, 2).toString(), QStringLiteral("主板"));
        // The float order of the record: T2 precedes S1, T3 precedes S2.
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::S1, 1)), 50);
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::T2, 1)), 140);
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::S2, 1)), 45);
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::T3, 1)), 195);
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::K3, 1)), 128);
        QCOMPARE(CellNumber(table.Cell(ProfileColumn::K2, 2)), 255);

        int32_t lc = -1;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        QCOMPARE(readFile(model()), bytes);
        QCOMPARE(readFile(m_paths.backupFile()), bytes);
        QCOMPARE(lc, -1);
    }

    void emptyTable()
    {
        putModel(QByteArray("\x00\x00", 2));
        ProfileTable table;
        QCOMPARE(table.RowCount(), 4);
        QVERIFY(LoadProfileTable(table, model()));
        QCOMPARE(table.RowCount(), 0);
        QVERIFY(QFile::remove(model()));
        int32_t lc = 0;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        QCOMPARE(readFile(model()), QByteArray("\x00\x00", 2));
        QCOMPARE(lc, 0);
    }

    void missingFileLoadsNothingAndSaveCreatesIt()
    {
        ProfileTable table;
        table.SetCell(ProfileColumn::Board, 2, QStringLiteral("kept"));
        QVERIFY(LoadProfileTable(table, model()));
        QCOMPARE(table.RowCount(), 4);
        QCOMPARE(table.Cell(ProfileColumn::Board, 2).toString(), QStringLiteral("kept"));
        int32_t lc = -1;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        QCOMPARE(readFile(model()).size(), 2 + 4 * 208);
    }

    void draggedRowIsSavedFirst_data()
    {
        QTest::addColumn<int>("lcBefore");
        QTest::addColumn<int>("lcAfter");
        QTest::newRow("designates the dragged row") << 1 << 0;
        QTest::newRow("designates the other row") << 0 << 1;
        QTest::newRow("none") << -1 << -1;
        QTest::newRow("beyond the table") << 5 << 5;
    }
    void draggedRowIsSavedFirst()
    {
        QFETCH(int, lcBefore);
        QFETCH(int, lcAfter);
        const Record a = sampleChinese();
        const Record b = sampleEnglish();
        putModel(file({ a, b }));
        ProfileTable table;
        QVERIFY(LoadProfileTable(table, model()));
        table.moveDisplayPosition(2, 1);
        QCOMPARE(table.DataRowAt(1), 2);
        QCOMPARE(table.DisplayPosition(1), 2);

        int32_t lc = lcBefore;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        QCOMPARE(readFile(model()), file({ b, a }));
        QCOMPARE(lc, lcAfter);
        // The table itself keeps its DataRows.
        QCOMPARE(table.Cell(ProfileColumn::Board, 1).toString(), QStringLiteral("MB-2040"));
    }

    void cellsAreConvertedOnSave()
    {
        ProfileTable table;
        table.SetRowCount(1);
        table.SetCell(ProfileColumn::T1, 1, QStringLiteral("70000"));
        table.SetCell(ProfileColumn::K1, 1, 300);
        table.SetCell(ProfileColumn::S1, 1, QStringLiteral(" 12.5 "));
        table.SetCell(ProfileColumn::S2, 1, QStringLiteral("13.5"));
        table.SetCell(ProfileColumn::T2, 1, QStringLiteral("abc"));
        table.SetCell(ProfileColumn::T3, 1, QStringLiteral("   "));
        table.SetCell(ProfileColumn::Board, 1, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));     // 25 characters
        table.SetCell(ProfileColumn::Component, 1, QStringLiteral("焊焊焊焊焊焊焊焊焊焊焊"));   // 22 bytes
        table.SetCell(ProfileColumn::Type, 1, QStringLiteral("A焊焊焊焊焊焊焊焊焊焊"));         // 21 bytes
        table.SetCell(ProfileColumn::Sensor, 1, 42); // a number in a text column is its text

        int32_t lc = -1;
        QVERIFY(SaveProfileTable(table, m_paths, lc));

        Record r;
        r.T1 = 4464;
        r.k[0] = 44;
        r.S1 = 12; // halves to even
        r.S2 = 14;
        r.board = "ABCDEFGHIJKLMNOPQRST";
        r.component = QByteArray("\xBA\xB8").repeated(10);
        // Cut before the character that would be split: 19 bytes, not 20.
        r.type = "A" + QByteArray("\xBA\xB8").repeated(9);
        r.sensor = "42";
        QCOMPARE(readFile(model()), file({ r }));
    }

    void savePathCopy_data()
    {
        QTest::addColumn<QString>("sub");
        QTest::addColumn<bool>("withSeparator");
        QTest::addColumn<bool>("create");
        QTest::newRow("existing, final separator") << "copies" << true << true;
        QTest::newRow("existing, typed without it") << "copies" << false << true;
        QTest::newRow("not existing") << "nowhere" << true << false;
    }
    void savePathCopy()
    {
        QFETCH(QString, sub);
        QFETCH(bool, withSeparator);
        QFETCH(bool, create);
        const QString dir = m_dir->filePath(sub);
        if (create)
            QVERIFY(QDir().mkpath(dir));
        m_paths.savePath = dir + (withSeparator ? QStringLiteral("/") : QString());
        ProfileTable table;
        table.SetCell(ProfileColumn::Board, 1, QStringLiteral("edited")); // copies come from edited tables
        int32_t lc = -1;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        const QString copy = dir + QStringLiteral("/model.irl");
        QCOMPARE(QFile::exists(copy), create);
        if (create)
            QCOMPARE(readFile(copy), readFile(model()));
        // Never a file beside the directory.
        QVERIFY(!QFile::exists(dir + QStringLiteral("model.irl")));
    }

    void importClearedFlagTouchesNothing()
    {
        const QString saveDir = m_dir->filePath(QStringLiteral("copies"));
        QVERIFY(QDir().mkpath(saveDir));
        m_paths.savePath = saveDir + QStringLiteral("/");
        const QByteArray imported = file({ sampleEnglish() });
        const QByteArray oldBackup("old backup");
        putModel(imported);
        QVERIFY(QDir().mkpath(QFileInfo(m_paths.backupFile()).absolutePath()));
        QVERIFY(writeFile(m_paths.backupFile(), oldBackup));

        setSaveTableOnExit(false);
        ProfileTable table;
        int32_t lc = 2;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        QCOMPARE(readFile(model()), imported);
        QCOMPARE(readFile(m_paths.backupFile()), oldBackup);
        QVERIFY(!QFile::exists(m_paths.savePathFile()));
        QCOMPARE(lc, 2);
    }

    void damagedFileKeepsTheTable_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("asDirectory");
        QTest::newRow("count larger than the data") << file({ sampleChinese() }, 2) << false;
        QTest::newRow("one byte") << QByteArray("\x01", 1) << false;
        QTest::newRow("record cut short") << file({ sampleChinese() }).left(100) << false;
        QTest::newRow("unreadable") << QByteArray() << true;
    }
    void damagedFileKeepsTheTable()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, asDirectory);
        if (asDirectory)
            QVERIFY(QDir().mkpath(model()));
        else
            putModel(bytes);

        ProfileTable table;
        table.SetCell(ProfileColumn::Board, 3, QStringLiteral("mine"));
        ProfileFileError error;
        QVERIFY(!LoadProfileTable(table, model(), &error));
        QVERIFY(error.kind != ProfileFileError::None);
        QCOMPARE(error.fileName, model());
        QVERIFY(error.englishMessage().contains(QDir::toNativeSeparators(model())));
        QVERIFY(error.englishMessage().startsWith(QStringLiteral("I/O error")));
        QCOMPARE(table.RowCount(), 4);
        QCOMPARE(table.Cell(ProfileColumn::Board, 3).toString(), QStringLiteral("mine"));
    }

    // Shutdown writes a table over data/model.irl and its copies only when it came from the
    // file or the operator worked on it: the empty rows left by a damaged or missing file
    // must not destroy a good backup.
    void unloadedTableSparesTheFiles_data()
    {
        QTest::addColumn<QByteArray>("modelBytes"); // empty: no data/model.irl
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("modelWritten");
        QTest::addColumn<bool>("copiesWritten");
        const QByteArray damaged = file({ sampleChinese() }, 2);
        QTest::newRow("damaged, untouched") << damaged << QString() << false << false;
        QTest::newRow("damaged, language switched") << damaged << QStringLiteral("language") << false << false;
        QTest::newRow("damaged, cell typed") << damaged << QStringLiteral("cell") << true << true;
        QTest::newRow("damaged, row added") << damaged << QStringLiteral("row") << true << true;
        QTest::newRow("damaged, row dragged") << damaged << QStringLiteral("drag") << true << true;
        QTest::newRow("missing, untouched") << QByteArray() << QString() << true << false;
        QTest::newRow("missing, cell typed") << QByteArray() << QStringLiteral("cell") << true << true;
    }
    void unloadedTableSparesTheFiles()
    {
        QFETCH(QByteArray, modelBytes);
        QFETCH(QString, change);
        QFETCH(bool, modelWritten);
        QFETCH(bool, copiesWritten);

        const QByteArray good = file({ sampleChinese(), sampleEnglish() });
        const QString saveDir = m_dir->filePath(QStringLiteral("save"));
        QVERIFY(QDir().mkpath(saveDir));
        m_paths.savePath = saveDir + QStringLiteral("/");
        QVERIFY(QDir().mkpath(QFileInfo(m_paths.backupFile()).absolutePath()));
        QVERIFY(writeFile(m_paths.backupFile(), good));
        QVERIFY(writeFile(m_paths.savePathFile(), good));
        if (!modelBytes.isEmpty())
            putModel(modelBytes);

        ProfileTable table;
        LoadProfileTable(table, model());
        QCOMPARE(table.RowCount(), 4);
        if (change == QLatin1String("language"))
            table.applyLanguage(TableLanguage::English);
        else if (change == QLatin1String("cell"))
            table.setData(table.index(0, ProfileColumn::Board - 1), QStringLiteral("new"));
        else if (change == QLatin1String("row"))
            table.appendRow();
        else if (change == QLatin1String("drag"))
            table.moveDisplayPosition(2, 1);

        int32_t lc = -1;
        QVERIFY(SaveProfileTable(table, m_paths, lc));
        const QByteArray written = readFile(model());
        if (modelWritten) {
            QCOMPARE(written.size(), 2 + table.RowCount() * 208);
            QCOMPARE(uint8_t(written[0]), uint8_t(table.RowCount()));
        } else {
            QCOMPARE(written, modelBytes);
        }
        QCOMPARE(readFile(m_paths.backupFile()), copiesWritten ? written : good);
        QCOMPARE(readFile(m_paths.savePathFile()), copiesWritten ? written : good);
    }

    void failedSaveLeavesCurrentLc()
    {
        // "data" is a file, so data/model.irl cannot be written.
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("data")), "x"));
        ProfileTable table;
        table.moveDisplayPosition(4, 1);
        int32_t lc = 3;
        ProfileFileError error;
        QVERIFY(!SaveProfileTable(table, m_paths, lc, &error));
        QCOMPARE(error.kind, ProfileFileError::WriteFailed);
        QCOMPARE(lc, 3);
        QVERIFY(!QFile::exists(m_paths.backupFile()));
    }

    void importCopiesTheFileUnexamined()
    {
        putModel(file({ sampleChinese() }));
        const QString source = m_dir->filePath(QStringLiteral("other.irl"));
        QVERIFY(writeFile(source, "not a profile file"));
        QVERIFY(copyParameterFile(source, m_paths));
        QCOMPARE(readFile(model()), QByteArray("not a profile file"));
        QVERIFY(!copyParameterFile(m_dir->filePath(QStringLiteral("missing.irl")), m_paths));
        QCOMPARE(readFile(model()), QByteArray("not a profile file"));
        QVERIFY(SaveTableOnExit());
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
