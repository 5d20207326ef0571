#include <QtTest>

#include "shell/text_codec.h"

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void gbkBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("desoldering") << QStringLiteral("拆焊") << QByteArray("\xB2\xF0\xBA\xB8");
        QTest::newRow("celsius") << QStringLiteral("℃") << QByteArray("\xA1\xE6");
        QTest::newRow("fahrenheit") << QStringLiteral("℉") << QByteArray("\xA8\x48");
        QTest::newRow("ascii") << QStringLiteral("PCB-7") << QByteArray("PCB-7");
    }
    void gbkBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TextCodec::toAnsi(text), bytes);
        QCOMPARE(TextCodec::fromAnsi(bytes), text);
    }

    void cutNeverSplitsACharacter()
    {
        // "a" + three Chinese characters = 7 bytes; 4 bytes hold "a" and one character.
        const QString text = QStringLiteral("a拆焊板");
        QCOMPARE(TextCodec::toAnsiCut(text, 4), QByteArray("a\xB2\xF0"));
        QCOMPARE(TextCodec::toAnsiCut(text, 5), QByteArray("a\xB2\xF0\xBA\xB8"));
        QCOMPARE(TextCodec::toAnsiCut(QStringLiteral("abcdef"), 4), QByteArray("abcd"));
    }

    void shortStringLayout()
    {
        uint8_t field[6];
        std::memset(field, 0xEE, sizeof field);
        TextCodec::writeShortString(field, 5, QStringLiteral("焊x"));
        const uint8_t expected[6] = {3, 0xBA, 0xB8, 'x', 0, 0};
        QCOMPARE(QByteArray(reinterpret_cast<char*>(field), 6), QByteArray(reinterpret_cast<const char*>(expected), 6));
        QCOMPARE(TextCodec::readShortString(field, 5), QStringLiteral("焊x"));
    }

    void damagedLengthIsClamped()
    {
        const uint8_t field[4] = {200, 'a', 'b', 'c'};
        QCOMPARE(TextCodec::readShortString(field, 3), QStringLiteral("abc"));
    }
};

QTEST_APPLESS_MAIN(TestTextCodec)
#include "test_text_codec.moc"
