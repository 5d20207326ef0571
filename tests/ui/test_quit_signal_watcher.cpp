// SIGINT and SIGTERM arrive as a Qt signal on the event loop.

#include <csignal>

#include <QSignalSpy>
#include <QTest>

#include "ui/quit_signal_watcher.h"

class TestQuitSignalWatcher : public QObject
{
    Q_OBJECT
private slots:
    void signalsBecomeQuitRequests_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void signalsBecomeQuitRequests()
    {
        QFETCH(int, signalNumber);
        QuitSignalWatcher watcher;
        QSignalSpy spy(&watcher, &QuitSignalWatcher::quitRequested);
        std::raise(signalNumber);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().first().toInt(), signalNumber);
    }
};

QTEST_MAIN(TestQuitSignalWatcher)
#include "test_quit_signal_watcher.moc"
