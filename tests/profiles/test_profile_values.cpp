#include <QtTest>

#include "profiles/profile_table.h"
#include "profiles/profile_values.h"

class TestProfileValues : public QObject
{
    Q_OBJECT
private slots:
    void cellNumber_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<qint64>("number");
        QTest::newRow("nothing") << QVariant() << qint64(0);
        QTest::newRow("empty") << QVariant(QString()) << qint64(0);
        QTest::newRow("blanks") << QVariant(QStringLiteral("   ")) << qint64(0);
        QTest::newRow("not a number") << QVariant(QStringLiteral("12a")) << qint64(0);
        QTest::newRow("padded") << QVariant(QStringLiteral(" 195 ")) << qint64(195);
        QTest::newRow("half to even down") << QVariant(QStringLiteral("2.5")) << qint64(2);
        QTest::newRow("half to even up") << QVariant(QStringLiteral("3.5")) << qint64(4);
        QTest::newRow("float number") << QVariant(120.0) << qint64(120);
        QTest::newRow("int number") << QVariant(300) << qint64(300);
        QTest::newRow("above a word") << QVariant(QStringLiteral("70000")) << qint64(70000);
        QTest::newRow("infinite text") << QVariant(QStringLiteral("inf")) << qint64(0);
        QTest::newRow("nan number") << QVariant(std::nan("")) << qint64(0);
        // A long run of typed digits keeps its low bits instead of overflowing.
        QTest::newRow("huge") << QVariant(QStringLiteral("18446744073709551616")) << qint64(0);
    }
    void cellNumber()
    {
        QFETCH(QVariant, value);
        QFETCH(qint64, number);
        QCOMPARE(qint64(CellNumber(value)), number);
    }

    void lowBits()
    {
        QCOMPARE(int(cellWord(QStringLiteral("70000"))), 4464);
        QCOMPARE(int(cellByte(300)), 44);
        QCOMPARE(int(cellWord(QStringLiteral("-1"))), 65535);
        QCOMPARE(int(cellWord(QStringLiteral("4294967296000000000000"))), 0);
    }

    void codes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("shutter");
        QTest::newRow("right up") << "right up" << 3 << 0;
        QTest::newRow("Right up") << "Right up" << 0 << 0;
        QTest::newRow("左上") << "左上" << 1 << 0;
        QTest::newRow("右下") << "右下" << 2 << 0;
        QTest::newRow("5.5*10mm") << "5.5*10mm" << 0 << 7;
        QTest::newRow("5.5 * 10mm") << "5.5 * 10mm" << 0 << 0;
        QTest::newRow("6.0*10mm") << "6.0*10mm" << 0 << 8;
        QTest::newRow("empty") << "" << 0 << 0;
    }
    void codes()
    {
        QFETCH(QString, text);
        QFETCH(int, orientation);
        QFETCH(int, shutter);
        QCOMPARE(OrientationCode(text), orientation);
        QCOMPARE(ShutterCode(text), shutter);
    }

    void dropDownsPerLanguage()
    {
        const UnitTexts u;
        QCOMPARE(dropDownItems(ProfileColumn::Sensor, Language::Chinese, u),
                 QStringList({ "IR-传感器", "K型热电偶" }));
        QCOMPARE(dropDownItems(ProfileColumn::Sensor, Language::English, u), QStringList({ "Thermocouple", "IR" }));
        QCOMPARE(dropDownItems(ProfileColumn::Unit, Language::Chinese, u), QStringList({ "℉", "℃" }));
        QCOMPARE(dropDownItems(ProfileColumn::Unit, Language::English, u), QStringList({ u.celsius, u.fahrenheit }));
        QCOMPARE(dropDownItems(ProfileColumn::Type, Language::Chinese, u), QStringList({ "焊接", "拆焊" }));
        QCOMPARE(dropDownItems(ProfileColumn::Orientation, Language::English, u).size(), 4);
        const QStringList shutters = dropDownItems(ProfileColumn::ShutterY, Language::Chinese, u);
        QCOMPARE(shutters.size(), 9);
        QCOMPARE(ShutterCode(shutters.at(7)), 7);
    }

    void switchingTranslatesWordCells()
    {
        ProfileTable table;
        table.setUnitTexts(UnitTexts{ QStringLiteral("degC"), QStringLiteral("degF") });
        using namespace ProfileColumn;
        table.SetCell(Type, 1, QStringLiteral("焊接"));
        table.SetCell(Sensor, 1, QStringLiteral("IR-传感器"));
        table.SetCell(Unit, 1, QStringLiteral("℃"));
        table.SetCell(Orientation, 1, QStringLiteral("右上"));
        table.SetCell(Type, 2, QStringLiteral("soldering")); // letter case differs: stays
        table.SetCell(Unit, 2, QStringLiteral("℉"));
        table.SetCell(Board, 2, QStringLiteral("焊接"));      // not a word column
        table.SetCell(ShutterX, 2, QStringLiteral("2.0*10mm"));

        table.applyLanguage(Language::English);
        QCOMPARE(table.Cell(Type, 1).toString(), QStringLiteral("Soldering"));
        QCOMPARE(table.Cell(Sensor, 1).toString(), QStringLiteral("IR"));
        QCOMPARE(table.Cell(Unit, 1).toString(), QStringLiteral("degC"));
        QCOMPARE(table.Cell(Orientation, 1).toString(), QStringLiteral("right up"));
        QCOMPARE(table.Cell(Type, 2).toString(), QStringLiteral("soldering"));
        QCOMPARE(table.Cell(Unit, 2).toString(), QStringLiteral("degF"));
        QCOMPARE(table.Cell(Board, 2).toString(), QStringLiteral("焊接"));
        QCOMPARE(table.headerData(ProfileColumn::Orientation - 1, Qt::Horizontal).toString(), QStringLiteral("orientation"));

        // English again changes nothing; then back to Chinese.
        table.applyLanguage(Language::English);
        QCOMPARE(table.Cell(Unit, 1).toString(), QStringLiteral("degC"));
        table.applyLanguage(Language::Chinese);
        QCOMPARE(table.Cell(Type, 1).toString(), QStringLiteral("焊接"));
        QCOMPARE(table.Cell(Sensor, 1).toString(), QStringLiteral("IR-传感器"));
        QCOMPARE(table.Cell(Unit, 1).toString(), QStringLiteral("℃"));
        QCOMPARE(table.Cell(Orientation, 1).toString(), QStringLiteral("右上"));
        QCOMPARE(table.Cell(ShutterX, 2).toString(), QStringLiteral("2.0*10mm"));
        QCOMPARE(table.headerData(ProfileColumn::Orientation - 1, Qt::Horizontal).toString(), QStringLiteral("起始引脚1"));
    }

    void headings_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("1") << 1 << "board" << "board" << "PCB板";
        QTest::newRow("3") << 3 << "type" << "type" << "操作类型";
        QTest::newRow("7") << 7 << "S1" << "S1" << "S1";
        QTest::newRow("14") << 14 << "unit" << "unit" << "单位";
        QTest::newRow("16") << 16 << "ShutterX" << "Shutter X" << "光圈X";
        QTest::newRow("17") << 17 << "ShutterY" << "Shutter Y" << "光圈Y";
        QTest::newRow("21") << 21 << "K4" << "K4" << "K4";
    }
    void headings()
    {
        QFETCH(int, column);
        QFETCH(QString, design);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        QCOMPARE(columnHeading(column, std::nullopt), design);
        QCOMPARE(columnHeading(column, Language::English), english);
        QCOMPARE(columnHeading(column, Language::Chinese), chinese);
    }

    void typingClearsNumbersToZero()
    {
        ProfileTable table;
        const QModelIndex t1 = table.index(0, ProfileColumn::T1 - 1);
        const QModelIndex board = table.index(0, ProfileColumn::Board - 1);
        QVERIFY(table.setData(t1, QStringLiteral("120")));
        QVERIFY(table.setData(t1, QString()));
        QCOMPARE(table.Cell(ProfileColumn::T1, 1), QVariant(0));
        QCOMPARE(table.data(t1).toString(), QStringLiteral("0"));
        QVERIFY(table.setData(board, QString()));
        QCOMPARE(table.data(board).toString(), QString());
        // The program's own changes keep an empty number empty.
        table.SetCell(ProfileColumn::T1, 1, QString());
        QCOMPARE(table.data(t1).toString(), QString());
    }

    void readOnlyTableRefusesTyping()
    {
        ProfileTable table;
        const QModelIndex t1 = table.index(1, ProfileColumn::T1 - 1);
        QVERIFY(table.flags(t1) & Qt::ItemIsEditable);
        QVERIFY(!(table.flags(table.index(1, ProfileColumn::K1 - 1)) & Qt::ItemIsEditable));
        table.setReadOnly(true);
        QVERIFY(!(table.flags(t1) & Qt::ItemIsEditable));
        QVERIFY(!table.setData(t1, QStringLiteral("5")));
        table.SetCell(ProfileColumn::T1, 2, 5);
        QCOMPARE(table.data(t1).toString(), QStringLiteral("5"));
    }
};

QTEST_GUILESS_MAIN(TestProfileValues)
#include "test_profile_values.moc"
