// The hand-over between a later start and the running program, over a real local socket.
// The later start blocks while it waits for the answer, so it runs on a thread of its own
// and the running program's side on this thread's event loop.

#include <future>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "shell/instance_channel.h"

namespace {

std::future<InstanceChannel::Handed> handOver(const QString& programDir, const QStringList& files)
{
    return std::async(std::launch::async, [programDir, files] {
        return InstanceChannel(programDir).handToRunning(files, 5000);
    });
}

InstanceChannel::Handed finish(std::future<InstanceChannel::Handed>& f)
{
    // The running side answers from this thread's event loop.
    while (f.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return f.get();
}

} // namespace

class TestInstanceChannel : public QObject
{
    Q_OBJECT
private slots:
    void runningProgramTakesTheFiles()
    {
        QTemporaryDir program;
        InstanceChannel running(program.path());
        QVERIFY2(running.listen(), qPrintable(running.errorString()));
        QSignalSpy spy(&running, &InstanceChannel::filesHandedOver);

        const QStringList files{QStringLiteral("/tmp/a.sld"), QStringLiteral("/home/op/记录 2.sld")};
        auto later = handOver(program.path(), files);
        QCOMPARE(finish(later), InstanceChannel::Handed::Taken);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toStringList(), files);

        // A start without files is handed over as well: the program comes to the front.
        auto again = handOver(program.path(), {});
        QCOMPARE(finish(again), InstanceChannel::Handed::Taken);
        QCOMPARE(spy.count(), 2);
        QVERIFY(spy.at(1).at(0).toStringList().isEmpty());
    }

    void otherProgramFolderIsNotTheRunningOne()
    {
        QTemporaryDir program, other;
        InstanceChannel running(program.path());
        QVERIFY(running.listen());
        QVERIFY(InstanceChannel(program.path()).serverName() != InstanceChannel(other.path()).serverName());
        QCOMPARE(InstanceChannel(program.path() + QLatin1Char('/')).serverName(), running.serverName());
        auto later = handOver(other.path(), {QStringLiteral("/tmp/a.sld")});
        QCOMPARE(finish(later), InstanceChannel::Handed::NoneRunning);
    }

    void leftoverOfAnEndedProgramIsTakenOver()
    {
        QTemporaryDir program;
        InstanceChannel channel(program.path());
        // What a program that was killed leaves behind: the socket's file, nobody behind it.
        const QString name = channel.serverName();
        const QString leftover = QDir::isAbsolutePath(name) ? name : QDir(QDir::tempPath()).filePath(name);
        {
            QFile f(leftover);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(channel.handToRunning({}, 1000), InstanceChannel::Handed::NoneRunning);
        QVERIFY2(channel.listen(), qPrintable(channel.errorString()));
        QSignalSpy spy(&channel, &InstanceChannel::filesHandedOver);
        auto later = handOver(program.path(), {QStringLiteral("/tmp/b.sld")});
        QCOMPARE(finish(later), InstanceChannel::Handed::Taken);
        QCOMPARE(spy.count(), 1);
    }

    void socketLivesInTheAccountsRuntimeFolder()
    {
        QTemporaryDir program, runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("XDG_RUNTIME_DIR"); });
        InstanceChannel running(program.path());
        QVERIFY(running.serverName().startsWith(runtime.path() + QLatin1Char('/')));
        QVERIFY(running.listen());
        QSignalSpy spy(&running, &InstanceChannel::filesHandedOver);
        auto later = handOver(program.path(), {QStringLiteral("/tmp/d.sld")});
        QCOMPARE(finish(later), InstanceChannel::Handed::Taken);
        QCOMPARE(spy.count(), 1);
    }

    void strangerIsCutOff()
    {
        QTemporaryDir program;
        InstanceChannel running(program.path());
        QVERIFY(running.listen());
        QSignalSpy spy(&running, &InstanceChannel::filesHandedOver);
        QLocalSocket stranger;
        stranger.connectToServer(running.serverName());
        QVERIFY(stranger.waitForConnected(2000));
        stranger.write("GET / HTTP/1.0\r\n\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(spy.count(), 0);

        // The channel still serves the program's own starts.
        auto later = handOver(program.path(), {QStringLiteral("/tmp/c.sld")});
        QCOMPARE(finish(later), InstanceChannel::Handed::Taken);
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "test_instance_channel.moc"
