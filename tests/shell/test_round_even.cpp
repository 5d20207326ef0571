#include <QtTest>

#include <limits>

#include "shell/round_even.h"

class TestRoundEven : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesToEvenAndHoldsTheLimit_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("rounded");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("half down to even") << 2.5 << kRoundEvenLimit << 2;
        QTest::newRow("half up to even") << 3.5 << kRoundEvenLimit << 4;
        QTest::newRow("negative half") << -2.5 << kRoundEvenLimit << -2;
        QTest::newRow("not a half") << 2.51 << kRoundEvenLimit << 3;
        QTest::newRow("nan") << std::nan("") << kRoundEvenLimit << 0;
        QTest::newRow("beyond an int") << 1e30 << kRoundEvenLimit << kRoundEvenLimit;
        QTest::newRow("beyond an int, negative") << -1e30 << kRoundEvenLimit << -kRoundEvenLimit;
        // Infinities are held like any other value too large, not dropped to 0.
        QTest::newRow("infinity") << inf << kRoundEvenLimit << kRoundEvenLimit;
        QTest::newRow("negative infinity") << -inf << kRoundEvenLimit << -kRoundEvenLimit;
        // The profile preview holds its pixels nearer.
        QTest::newRow("preview limit") << 123456.7 << 100000 << 100000;
        QTest::newRow("preview infinity") << -inf << 100000 << -100000;
        QTest::newRow("within the preview limit") << 99999.5 << 100000 << 100000;
        QTest::newRow("station word") << 65535.5 << 65535 << 65535;
    }

    void roundsHalvesToEvenAndHoldsTheLimit()
    {
        QFETCH(double, value);
        QFETCH(int, limit);
        QFETCH(int, rounded);
        QCOMPARE(roundEven(value, limit), rounded);
    }
};

QTEST_GUILESS_MAIN(TestRoundEven)
#include "test_round_even.moc"
