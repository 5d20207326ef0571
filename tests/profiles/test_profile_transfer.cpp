#include <QtTest>

#include "fake_station_access.h"
#include "profiles/profile_table.h"
#include "profiles/profile_transfer.h"
#include "profiles/row_copy_buffer.h"

namespace {

// The row of the upload example.
void fillUploadRow(ProfileTable& t, int r)
{
    using namespace ProfileColumn;
    t.SetCell(Board, r, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW")); // 23 characters
    t.SetCell(Component, r, QStringLiteral("BGA"));
    t.SetCell(Type, r, QStringLiteral("拆焊"));
    t.SetCell(Unit, r, QStringLiteral("℃"));
    t.SetCell(Sensor, r, QStringLiteral("IR"));
    const int values[][2] = { { T1, 120 }, { S1, 50 }, { T2, 140 }, { S2, 45 }, { T3, 195 }, { S3, 15 },
                              { T0, 100 }, { TB, 150 }, { TL, 183 }, { K1, 0 }, { K2, 0 }, { K3, 128 },
                              { K4, 63 } };
    for (const auto& v : values)
        t.SetCell(v[0], r, QString::number(v[1]));
    t.SetCell(Orientation, r, QStringLiteral("右上"));
    t.SetCell(ShutterX, r, QStringLiteral("3.0*10mm"));
    t.SetCell(ShutterY, r, QStringLiteral("5.5 * 10mm"));
}

StationStatus patternedStatus()
{
    StationStatus s;
    for (int i = 0; i < StationStatus::FrameSize; ++i)
        s.setByte(i, uint8_t(0xA0 + i));
    s.setByte(0, 0xFF);
    s.setByte(1, 0xF3); // bits 7..4 must survive, bits 3..0 are written
    s.setByte(4, 0xA8); // bits 7..2 must survive
    return s;
}

QStringList rowTexts(const ProfileTable& t, int r)
{
    QStringList out;
    for (int c = 1; c <= ProfileColumn::Count; ++c)
        out << cellText(t.Cell(c, r));
    return out;
}

} // namespace

class TestProfileTransfer : public QObject
{
    Q_OBJECT
private slots:
    void uploadFrameBytes()
    {
        ProfileTable table;
        table.applyLanguage(Language::English);
        fillUploadRow(table, 2);
        FakeStationAccess access;
        const StationStatus before = patternedStatus();
        access.image = before;

        WriteProfileToStatusImage(table, 2, access);

        QCOMPARE(access.sent.size(), 1);
        const StationStatus& f = access.sent.first();
        QCOMPARE(int(f.byte(1)), 0xFC); // 1111 1100: bit 3 desoldering, bits 2..0 = 100
        QCOMPARE(int(f.byte(4)), 0xAB); // bits 1..0 = 11
        const QByteArray profile = QByteArray::fromHex("7800" "8c00" "b700" "c300" "3200" "6400" "9600");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(f.data()) + 12, 14), profile);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(f.data()) + 28, 8), QByteArray::fromHex("2d000f000000803f"));
        for (int i : { 0, 2, 3, 5, 6, 7, 8, 9, 10, 11, 26, 27 })
            QCOMPARE(f.byte(i), before.byte(i));
        for (int i = 36; i < 48; ++i)
            QCOMPARE(f.byte(i), before.byte(i));
        QCOMPARE(f.storedChecksum(), f.computedChecksum());
        // StatusImage keeps what was written.
        QCOMPARE(access.image, f);
        // No recording target: only the frame and the refresh count.
        QCOMPARE(access.log, QStringList({ "send", "headerRefresh" }));
        QCOMPARE(access.headerRefreshCount, 1);
    }

    void uploadUpdatesTheRecordingTarget_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("stationUnlocked");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("active target") << true << true
                                       << QStringList{ "send", "refresh", "fields", "show", "headerRefresh" };
        QTest::newRow("inactive target") << false << true << QStringList{ "send", "refresh", "fields", "headerRefresh" };
        QTest::newRow("station locked") << true << false
                                        << QStringList{ "send", "refresh", "fields", "show", "headerRefresh" };
    }
    void uploadUpdatesTheRecordingTarget()
    {
        QFETCH(bool, active);
        QFETCH(bool, stationUnlocked);
        QFETCH(QStringList, log);
        ProfileTable table;
        fillUploadRow(table, 1);
        FakeStationAccess access;
        FakeRecordingTarget target;
        target.log = &access.log;
        target.active = active;
        access.target = &target;
        access.unlocked = stationUnlocked;
        access.image = patternedStatus();

        WriteProfileToStatusImage(table, 1, access);

        QCOMPARE(access.log, log);
        QCOMPARE(access.sent.size(), stationUnlocked ? 1 : 0);
        QCOMPARE(target.lastHeaderStatus.word(StationStatus::Word::T3), uint16_t(195));
        QCOMPARE(access.fields.boardName, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(access.fields.componentName, QStringLiteral("BGA"));
        QCOMPARE(int(access.fields.orientation), 3);
        QCOMPARE(int(access.fields.shutterX), 2);
        QCOMPARE(int(access.fields.shutterY), 0); // blanks around "*" are no shutter text
    }

    void unitAndSensorTextsOfEitherLanguage_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("settingBits");
        QTest::addColumn<bool>("desoldering");
        QTest::newRow("English Celsius in Chinese") << QString::fromUtf8("°C") << QStringLiteral("IR-传感器")
                                                    << QStringLiteral("Desoldering") << 3 << true;
        QTest::newRow("Fahrenheit") << QStringLiteral("℉") << QStringLiteral("Thermocouple")
                                    << QStringLiteral("焊接") << 0 << false;
        QTest::newRow("other texts") << QStringLiteral("c") << QStringLiteral("ir") << QStringLiteral("desoldering")
                                     << 0 << false;
        QTest::newRow("empty") << QString() << QString() << QString() << 0 << false;
    }
    void unitAndSensorTextsOfEitherLanguage()
    {
        QFETCH(QString, unit);
        QFETCH(QString, sensor);
        QFETCH(QString, type);
        QFETCH(int, settingBits);
        QFETCH(bool, desoldering);
        ProfileTable table;
        table.applyLanguage(Language::Chinese);
        table.SetCell(ProfileColumn::Unit, 1, unit);
        table.SetCell(ProfileColumn::Sensor, 1, sensor);
        table.SetCell(ProfileColumn::Type, 1, type);
        StationStatus s;
        s.setByte(1, 0x0F);
        s.setByte(4, 0x03);
        writeProfileRowIntoImage(table, 1, s);
        QCOMPARE(int(s.byte(4)), settingBits);
        QCOMPARE(s.isDesoldering(), desoldering);
        QCOMPARE(int(s.byte(1) & 0x07), 0x04);
    }

    void downloadTextsPerLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QString>("unit");
        QTest::newRow("English") << int(Language::English) << "Desoldering" << "Thermocouple"
                                 << QString::fromUtf8("°C");
        QTest::newRow("Chinese") << int(Language::Chinese) << "拆焊" << "K型热电偶" << "℃";
        QTest::newRow("no language yet") << 0 /* none applied */ << "Desoldering" << "Thermocouple"
                                         << QString::fromUtf8("°C");
    }
    void downloadTextsPerLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, type);
        QFETCH(QString, sensor);
        QFETCH(QString, unit);
        ProfileTable table;
        if (language != 0)
            table.applyLanguage(Language(language));
        table.SetCell(ProfileColumn::Board, 1, QStringLiteral("kept"));
        table.SetCell(ProfileColumn::Orientation, 1, QStringLiteral("left up"));
        table.SetCell(ProfileColumn::ShutterY, 1, QStringLiteral("4.0*10mm"));
        StationStatus s;
        s.setByte(1, 0x08);
        s.setByte(4, 0x01);
        s.setWord(StationStatus::Word::T3, 0x00C3);
        s.setWord(StationStatus::Word::T0, 65535);
        s.setWord(StationStatus::Word::S1, 7);
        s.setK(4, 200);

        downloadProfileIntoRow(table, 1, s);

        const QStringList expected = { "kept", "", type, "65535", "0", "0", "7", "0", "0", "0", "195", "0",
                                       sensor, unit, "left up", "", "4.0*10mm", "0", "0", "0", "200" };
        QCOMPARE(rowTexts(table, 1), expected);
        // Decimal texts, as the station transfer writes them.
        QCOMPARE(table.Cell(ProfileColumn::T3, 1).typeId(), int(QMetaType::QString));
    }

    void addRowSources_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("communication");
        QTest::addColumn<QStringList>("expected");
        const QStringList empty(ProfileColumn::Count, QString());
        const QStringList defaults = { "", "", "Desoldering", "100", "150", "120", "50", "140", "183", "45",
                                       "195", "15", "IR", QString::fromUtf8("°C"), "", "", "", "0", "0",
                                       "128", "63" };
        const QStringList station = { "", "", "Soldering", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                      "IR", QString::fromUtf8("°F"), "", "", "", "11", "12", "13", "14" };
        const QStringList stored = { "", "", "Desoldering", "10", "20", "30", "40", "50", "60", "70", "80",
                                     "90", "Thermocouple", QString::fromUtf8("°F"), "", "", "", "1", "2",
                                     "3", "4" };
        QTest::newRow("no record window, communication off") << int(ActiveRecordKind::None) << false << empty;
        QTest::newRow("no record window, communication on") << int(ActiveRecordKind::None) << true << empty;
        QTest::newRow("unsaved record, communication off") << int(ActiveRecordKind::Unsaved) << false << defaults;
        QTest::newRow("unsaved record, communication on") << int(ActiveRecordKind::Unsaved) << true << station;
        QTest::newRow("stored recording wins") << int(ActiveRecordKind::Stored) << true << stored;
    }
    void addRowSources()
    {
        QFETCH(int, kind);
        QFETCH(bool, communication);
        QFETCH(QStringList, expected);
        ProfileTable table;
        table.applyLanguage(Language::English);
        table.setCurrentCell(2, 5);
        FakeStationAccess access;
        access.activeKind = ActiveRecordKind(kind);
        access.communication = communication;
        StationStatus& s = access.image;
        s.setByte(4, 0x02);
        const StationStatus::Word words[] = { StationStatus::Word::T0, StationStatus::Word::TB,
                                              StationStatus::Word::T1, StationStatus::Word::S1,
                                              StationStatus::Word::T2, StationStatus::Word::TL,
                                              StationStatus::Word::S2, StationStatus::Word::T3,
                                              StationStatus::Word::S3 };
        for (int i = 0; i < 9; ++i)
            s.setWord(words[i], uint16_t(i + 1));
        for (int i = 1; i <= 4; ++i)
            s.setK(i, uint8_t(10 + i));
        ProfileParameters& p = access.activeParameters;
        p.T0 = 10; p.TB = 20; p.T1 = 30; p.S1 = 40; p.T2 = 50; p.TL = 60; p.S2 = 70; p.T3 = 80; p.S3 = 90;
        p.K = { { 1, 2, 3, 4 } };
        p.desoldering = true;
        p.sensorIR = false;
        p.celsius = false;

        QSignalSpy moved(&table, &ProfileTable::currentCellMoved);
        QCOMPARE(AddProfileRow(table, access), 5);
        QCOMPARE(table.RowCount(), 5);
        QCOMPARE(table.CurrentRow(), 5);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved.first().at(1).toInt(), 5); // the column is kept
        QCOMPARE(rowTexts(table, 5), expected);
        QVERIFY(access.sent.isEmpty());
    }

    void defaultProfileInChinese()
    {
        ProfileTable table;
        table.applyLanguage(Language::Chinese);
        FakeStationAccess access;
        access.activeKind = ActiveRecordKind::Unsaved;
        const int r = AddProfileRow(table, access);
        QCOMPARE(cellText(table.Cell(ProfileColumn::Type, r)), QStringLiteral("拆焊"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::Sensor, r)), QStringLiteral("IR-传感器"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::Unit, r)), QStringLiteral("℃"));
    }

    void copyPasteConvertsLikeSaving()
    {
        ProfileTable table;
        table.SetCell(ProfileColumn::T1, 2, QStringLiteral("70000"));
        table.SetCell(ProfileColumn::Board, 2, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
        table.SetCell(ProfileColumn::K2, 2, 300);
        table.SetCell(ProfileColumn::Sensor, 2, QStringLiteral("IR-传感器"));
        table.setCurrentCell(2, 1);
        RowCopyBuffer buffer;
        buffer.Copy(table);
        QCOMPARE(buffer.Paste(table), 5);
        QCOMPARE(buffer.Paste(table), 6);
        QCOMPARE(table.CurrentRow(), 2);
        QCOMPARE(rowTexts(table, 5), rowTexts(table, 6));
        QCOMPARE(cellText(table.Cell(ProfileColumn::T1, 5)), QStringLiteral("4464"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::K2, 5)), QStringLiteral("44"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::T2, 5)), QStringLiteral("0"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::Board, 5)), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(cellText(table.Cell(ProfileColumn::Sensor, 5)), QStringLiteral("IR-传感器"));
    }

    void pasteBeforeCopyAndCopyWithoutCurrentRow()
    {
        ProfileTable table;
        table.SetCell(ProfileColumn::Board, 1, QStringLiteral("x"));
        RowCopyBuffer buffer;
        buffer.Copy(table); // no current row: nothing copied
        const int r = buffer.Paste(table);
        const QStringList blank = { "", "", "", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                    "", "", "", "", "", "0", "0", "0", "0" };
        QCOMPARE(rowTexts(table, r), blank);
    }

    void deleteMovesRowsUp()
    {
        ProfileTable table;
        table.SetRowCount(3);
        for (int r = 1; r <= 3; ++r)
            table.SetCell(ProfileColumn::Board, r, QStringLiteral("row %1").arg(r));
        table.moveDisplayPosition(3, 1); // shown as 3, 1, 2
        table.setCurrentCell(2, 4);
        table.DeleteRows(table.CurrentRow(), table.CurrentRow());
        QCOMPARE(table.RowCount(), 2);
        QCOMPARE(cellText(table.Cell(ProfileColumn::Board, 2)), QStringLiteral("row 3"));
        QCOMPARE(table.CurrentRow(), 2);
        QCOMPARE(table.DataRowAt(1), 2);
        QCOMPARE(table.DataRowAt(2), 1);
        // Deleting the last row moves the current cell up; deleting all leaves none.
        table.DeleteRows(2, 2);
        QCOMPARE(table.CurrentRow(), 1);
        table.DeleteRows(1, 1);
        QCOMPARE(table.CurrentRow(), 0);
        QCOMPARE(table.DataRowAt(1), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("refusal");
        QTest::newRow("protected wins") << 0 << 0 << true << int(TransferRefusal::Protected);
        QTest::newRow("empty table") << 0 << 0 << false << int(TransferRefusal::NoItem);
        QTest::newRow("no current row") << 3 << 0 << false << int(TransferRefusal::NoItem);
        QTest::newRow("allowed") << 3 << 2 << false << int(TransferRefusal::None);
    }
    void refusals()
    {
        QFETCH(int, rows);
        QFETCH(int, current);
        QFETCH(bool, locked);
        QFETCH(int, refusal);
        ProfileTable table;
        table.SetRowCount(rows);
        table.setCurrentCell(current, 1);
        QCOMPARE(int(transferRefusal(table, locked)), refusal);
    }
};

QTEST_GUILESS_MAIN(TestProfileTransfer)
#include "test_profile_transfer.moc"
