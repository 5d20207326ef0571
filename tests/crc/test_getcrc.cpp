#include <QRandomGenerator>
#include <QtTest>

#include <vector>

#include "tamselcrc.h"

namespace {
// Reference CRC-16/XMODEM, one bit at a time.
uint16_t bitwiseXmodem(const uint8_t* data, int n)
{
    uint16_t crc = 0;
    for (int i = 0; i < n; ++i) {
        crc ^= static_cast<uint16_t>(data[i] << 8);
        for (int b = 0; b < 8; ++b)
            crc = (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}
} // namespace

class TestGetCrc : public QObject
{
    Q_OBJECT
private slots:
    void checkValues_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("123456789") << QByteArray("123456789") << 0x31C3;
        QTest::newRow("abc") << QByteArray("abc") << 0x9DD6;
        QByteArray frame(48, '\0');
        frame[0] = char(0xFF);
        QTest::newRow("lead byte and 47 zeros") << frame << 0x3283;
    }
    void checkValues()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, expected);
        QCOMPARE(GetCRC(reinterpret_cast<const uint8_t*>(input.constData()), uint8_t(input.size())), uint16_t(expected));
    }

    void zeroCountReadsNothing()
    {
        QCOMPARE(GetCRC(nullptr, 0), uint16_t(0));
    }

    void countIsTakenModulo256()
    {
        std::vector<uint8_t> data(300);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = uint8_t(i * 7 + 3);
        // The count is a byte: 256 becomes 0, 300 becomes 44, 255 stays 255.
        auto call = [&](unsigned count) { return GetCRC(data.data(), static_cast<uint8_t>(count)); };
        QCOMPARE(call(256), uint16_t(0));
        QCOMPARE(call(300), bitwiseXmodem(data.data(), 44));
        QCOMPARE(call(255), bitwiseXmodem(data.data(), 255));
    }

    void everySingleByteMatchesBitwise()
    {
        for (int v = 0; v < 256; ++v) {
            const uint8_t b = uint8_t(v);
            QCOMPARE(GetCRC(&b, 1), bitwiseXmodem(&b, 1));
        }
    }

    void randomInputsOfEveryLengthMatchBitwise()
    {
        QRandomGenerator rng(20261211);
        std::vector<uint8_t> data(255);
        for (int len = 1; len <= 255; ++len) {
            for (auto& b : data)
                b = uint8_t(rng.bounded(256));
            QCOMPARE(GetCRC(data.data(), uint8_t(len)), bitwiseXmodem(data.data(), len));
        }
    }
};

QTEST_APPLESS_MAIN(TestGetCrc)
#include "test_getcrc.moc"
