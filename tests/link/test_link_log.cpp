// The link's trace category: silent by default, and once turned on every frame in and out
// and supervision's decisions leave a line.

#include <QLoggingCategory>
#include <QtTest>

#include "link/link_log.h"
#include "link_fixture.h"

namespace {

QStringList g_lines;

void capture(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (context.category && QByteArray(context.category) == "tamsel.link")
        g_lines << message;
}

// Collects the category's lines while it lives.
class LinkLines
{
public:
    LinkLines()
    {
        g_lines.clear();
        m_previous = qInstallMessageHandler(capture);
    }
    ~LinkLines() { qInstallMessageHandler(m_previous); }
    const QStringList& lines() const { return g_lines; }
    bool has(const QString& start) const
    {
        for (const QString& line : g_lines)
            if (line.startsWith(start))
                return true;
        return false;
    }

private:
    QtMessageHandler m_previous = nullptr;
};

} // namespace

class TestLinkLog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLoggingCategory::setFilterRules(QString()); }

    void offByDefault()
    {
        if (qEnvironmentVariable("QT_LOGGING_RULES").contains(QStringLiteral("tamsel")))
            QSKIP("QT_LOGGING_RULES names the category in this environment");
        QVERIFY(!lcLink().isDebugEnabled());
        LinkLines log;
        LinkFixture f;
        f.alive();
        f.receiveFrame(status());
        f.link->SendFrame(f.link->commandBlock());
        QVERIFY(!f.port.writes.isEmpty());
        QVERIFY2(log.lines().isEmpty(), qPrintable(log.lines().join(QLatin1Char('\n'))));
    }

    void framesInAndOutInHex()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tamsel.link.debug=true"));
        LinkLines log;
        LinkFixture f;
        f.alive();
        const StationStatus s = status(217, 40);
        f.receiveFrame(s);
        QVERIFY(log.has(QStringLiteral("rx ") + QString::fromLatin1(wireFrame(s).toHex(' '))));

        f.port.writes.clear();
        QVERIFY(f.link->SendFrame(f.link->commandBlock()));
        QCOMPARE(f.port.writes.size(), 1);
        QVERIFY(log.has(QStringLiteral("tx ") + QString::fromLatin1(f.port.writes[0].toHex(' '))));
    }

    void supervisionDecisions()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tamsel.link.debug=true"));
        LinkLines log;
        LinkFixture f;
        f.communicationOn();
        f.link->sayHello();
        QVERIFY(log.has(QStringLiteral("hello sent")));
        f.port.inject(hello());
        QVERIFY(log.has(QStringLiteral("hello answered")));

        QByteArray damaged = wireFrame(status());
        damaged[10] = char(damaged[10] ^ 0x01);
        f.port.inject(damaged);
        QVERIFY(log.has(QStringLiteral("checksum error")));

        // The station falls silent: hellos, then supervision gives up.
        for (int i = 0; i < 200 && f.link->timerActive(); ++i)
            f.tickAfter(400);
        QVERIFY(!f.link->timerActive());
        QVERIFY(log.has(QStringLiteral("gave up")));

        f.port.lose(QStringLiteral("No such device"));
        QVERIFY(log.has(QStringLiteral("port")));
        QVERIFY(log.lines().filter(QStringLiteral("lost")).size() == 1);
        f.probe().retryLostPort();
        QVERIFY(log.lines().filter(QStringLiteral("reopened")).size() == 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkLog)
#include "test_link_log.moc"
