#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

#include "desoldering_process.h"
#include "records/record_chart.h"
#include "records/report_engine.h"
#include "records/report_variables.h"

// The report: the variables a template can ask for, the engine that fills in a template and
// paints it, and the PDF it writes (read back with pdftotext and pdfimages).
class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void variables_data();
    void variables();
    void everyVariableHasAnAnswerForAFullRecord();
    void templateKeepsWhatIsNotAnswered();
    void pictureIs800x600AndShowsTheDots();
    void pdfHoldsEveryValueAndOneImage();
    void chineseTemplateGivesChineseTexts();
    void missingTemplateKeepsThePreviousOne();
    void hugeCellSpansAreLimited();
    void unwritablePdfFailsWithTheReason();

private:
    static Recording record(const QString& kind);
    static QString pdfText(const QString& path);
    static int pdfImageCount(const QString& path);
    QTemporaryDir m_dir;
};

namespace {

ChartStyle style(bool chinese)
{
    ChartStyle s;
    s.language = chinese ? Language::Chinese : Language::English;
    s.celsiusText = QStringLiteral("deg C");
    s.fahrenheitText = QStringLiteral("deg F");
    return s;
}

QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}

} // namespace

void TestReport::initTestCase()
{
    QVERIFY2(!tool("pdftotext").isEmpty() && !tool("pdfimages").isEmpty(),
             "pdftotext and pdfimages (Debian's poppler-utils, scripts/setup.sh) are needed");
}

// "full": four dots given out of order; "two": two dots; "none": no dots and codes out of
// range; "fahrenheit": a thermocouple soldering run in Fahrenheit.
Recording TestReport::record(const QString& kind)
{
    Recording r;
    RecordHeader& h = r.header;
    h.headline = "Rework U7";
    h.recordDate = 45429.5; // 2024-05-17 12:00
    h.operatorName = "Li";
    h.boardName = "MB-12";
    h.componentName = "BGA256";
    h.desoldering = 1;
    h.Orientation = 3;
    h.ShutterX = 0;
    h.ShutterY = 8;
    h.T0 = 100;
    h.TB = 160;
    h.T1 = 150;
    h.S1 = 60;
    h.T2 = 180;
    h.TL = 183;
    h.S2 = 40;
    h.T3 = 230.5f;
    h.S3 = 20;
    h.sensorIR = 1;
    h.celsius = 1;
    r.fileName = QStringLiteral("/runs/u7.sld");
    if (kind == QLatin1String("full"))
        r.dots = {{120, 201, 160}, {30, 77.5f, 60}, {250.5f, 183, 170}, {90, 150, 140}};
    else if (kind == QLatin1String("two"))
        r.dots = {{60, 120, 90}, {10, 40, 30}};
    if (kind == QLatin1String("none")) {
        h.Orientation = 4;
        h.ShutterX = 9;
        h.ShutterY = 255;
        r.fileName.clear();
    }
    if (kind == QLatin1String("fahrenheit")) {
        h.celsius = 0;
        h.desoldering = 0;
        h.sensorIR = 0;
    }
    return r;
}

void TestReport::variables_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("name");
    // The printed text; "<none>" when the name is not answered.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");

    const int text = QMetaType::QString, number = QMetaType::Double, integer = QMetaType::LongLong;
    auto row = [](const char* tag, const char* kind, bool zh, const char* name, const QString& t, int type) {
        QTest::newRow(tag) << QString::fromLatin1(kind) << zh << QString::fromLatin1(name) << t << type;
    };
    row("headline", "full", false, "getheadline", "Rework U7", text);
    row("date", "full", false, "p1", "2024-05-17 12:00:00", QMetaType::QDateTime);
    row("type en", "full", false, "p2", "Desoldering", text);
    row("type zh", "full", true, "p2", QStringLiteral("拆焊"), text);
    row("soldering zh", "fahrenheit", true, "p2", QStringLiteral("焊接"), text);
    row("operator", "full", false, "p3", "Li", text);
    row("board", "full", false, "p4", "MB-12", text);
    row("component", "full", false, "p5", "BGA256", text);
    row("orientation en", "full", false, "u2", "right up", text);
    row("orientation zh", "full", true, "u2", QStringLiteral("右上"), text);
    row("orientation 4", "none", false, "u2", "<none>", 0);
    row("shutter x", "full", false, "u3", "2.0 * 10mm", text);
    row("shutter y zh", "full", true, "u4", "6.0 * 10mm", text);
    row("shutter 9", "none", false, "u3", "<none>", 0);
    row("shutter 255", "none", true, "u4", "<none>", 0);
    row("T0", "full", false, "pp1", "100", number);
    row("TB", "full", false, "pp2", "160", number);
    row("T1", "full", false, "pp3", "150", number);
    row("S1", "full", false, "pp4", "60", number);
    row("T2", "full", false, "pp5", "180", number);
    row("TL", "full", false, "pp6", "183", number);
    row("S2", "full", false, "pp7", "40", number);
    row("T3", "full", false, "pp8", "230.5", number);
    row("S3", "full", false, "pp9", "20", number);
    row("sensor IR", "full", false, "pp10", "IR", text);
    row("sensor IR zh", "full", true, "pp10", QStringLiteral("IR-传感器"), text);
    row("thermocouple", "fahrenheit", false, "pp10", "Thermocouple", text);
    row("thermocouple zh", "fahrenheit", true, "pp10", QStringLiteral("K型热电偶"), text);
    // The dots by time, whatever order they were given in; times rounded half to even.
    row("c1 earliest", "full", false, "c1", "30", integer);
    row("c2", "full", false, "c2", "90", integer);
    row("c4 rounded", "full", false, "c4", "250", integer);
    row("v1", "full", false, "v1", "77.5", number);
    row("v3", "full", true, "v3", "201", number);
    row("tb4", "full", false, "tb4", "170", number);
    row("two: c1", "two", false, "c1", "10", integer);
    row("two: tb2", "two", false, "tb2", "90", number);
    for (const char* n : {"c3", "c4", "v3", "v4", "tb3", "tb4"})
        row(qPrintable(QStringLiteral("two: %1 empty").arg(QLatin1String(n))), "two", false, n, QString(), text);
    for (const char* n : {"c1", "v1", "tb1", "c4", "v4", "tb4"})
        row(qPrintable(QStringLiteral("none: %1 empty").arg(QLatin1String(n))), "none", true, n, QString(), text);
    row("file name", "full", false, "GetFilename", "/runs/u7.sld", text);
    row("never saved", "none", false, "GetFilename", QString(), text);
    row("unit en", "full", false, "danwei", "deg C", text);
    row("unit en F", "fahrenheit", false, "danwei", "deg F", text);
    row("unit zh", "full", true, "danwei", QStringLiteral("℃"), text);
    row("unit zh F", "fahrenheit", true, "danwei", QStringLiteral("℉"), text);
    row("case matters", "full", false, "P1", "<none>", 0);
    row("unknown", "full", false, "Page", "<none>", 0);
}

void TestReport::variables()
{
    QFETCH(QString, kind);
    QFETCH(bool, chinese);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, type);
    const Recording r = record(kind);
    const std::optional<QVariant> answer = ReportVariable(name, ReportSource{r, style(chinese)});
    if (text == QLatin1String("<none>")) {
        QVERIFY(!answer);
        return;
    }
    QVERIFY(answer);
    QCOMPARE(answer->typeId(), type);
    QCOMPARE(reportText(*answer), text);
}

void TestReport::everyVariableHasAnAnswerForAFullRecord()
{
    const Recording r = record(QStringLiteral("full"));
    for (const QString& n : reportVariableNames())
        QVERIFY2(ReportVariable(n, ReportSource{r, style(false)}), qPrintable(n));
}

void TestReport::templateKeepsWhatIsNotAnswered()
{
    const auto lookup = [](const QString& name) -> std::optional<QVariant> {
        if (name == QLatin1String("p3"))
            return QVariant(QStringLiteral("<b>Tom & Jerry</b>"));
        if (name == QLatin1String("c1"))
            return QVariant(QString());
        return std::nullopt;
    };
    QCOMPARE(ReportEngine::fillVariables(QStringLiteral("<p>[p3]|[c1]|[u2]|[P3]|[p3|[]|[a b]</p>"), lookup),
             QStringLiteral("<p>&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;||[u2]|[P3]|[p3|[]|[a b]</p>"));
    // A value that looks like a variable is not filled in again.
    const auto echo = [](const QString&) -> std::optional<QVariant> { return QVariant(QStringLiteral("[p3]")); };
    QCOMPARE(ReportEngine::fillVariables(QStringLiteral("[p2][p3]"), echo), QStringLiteral("[p3][p3]"));
}

void TestReport::pictureIs800x600AndShowsTheDots()
{
    Recording r = DesolderingProcess::make(200, 1.0f);
    r.dots = {{100, 150, 120}};
    QImage chart = RecordChart::newImage();
    const int p = RecordChart::DrawChart(chart, r, 1.0f, ChartStyle());
    const QImage picture = ReportEngine::picture(chart);
    QCOMPARE(picture.size(), QSize(800, 600));
    // The dot's line at x = 65 + 100 p of the chart, from the baseline up to y = 30.
    const int x = qRound((65 + 100 * p) * 800.0 / 1024.0);
    const int y = qRound(300 * 600.0 / 768.0);
    int darkest = 255;
    for (int dx = -1; dx <= 1; ++dx)
        darkest = qMin(darkest, qGray(picture.pixel(x + dx, y)));
    QVERIFY2(darkest < 128, qPrintable(QString::number(darkest)));
    // Nothing else stands in that column further right.
    QCOMPARE(picture.pixel(x + 40, y), qRgb(255, 255, 255));
}

QString TestReport::pdfText(const QString& path)
{
    QProcess p;
    p.start(tool("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int TestReport::pdfImageCount(const QString& path)
{
    QProcess p;
    p.start(tool("pdfimages"), {QStringLiteral("-list"), path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    // Two heading lines, then one line per image.
    return p.readAllStandardOutput().trimmed().split('\n').size() - 2;
}

void TestReport::pdfHoldsEveryValueAndOneImage()
{
    QString html = QStringLiteral("<html><body><p>");
    for (const QString& n : reportVariableNames())
        html += QStringLiteral("%1=[%1]; ").arg(n);
    html += QStringLiteral("u1=[u1]</p><p><img src=\"Picture1\" width=\"400\" height=\"300\"></p></body></html>");
    ReportEngine engine;
    engine.setTemplate(html);
    const Recording r = record(QStringLiteral("full"));
    const ReportSource source{r, style(false)};
    QImage chart = RecordChart::newImage();
    RecordChart::DrawChart(chart, r, 1.0f, source.style);
    auto report = engine.prepare([&](const QString& n) { return ReportVariable(n, source); }, ReportEngine::picture(chart));
    QVERIFY(report);
    const QString path = m_dir.filePath("all.pdf");
    QString error;
    QVERIFY2(ReportEngine::writePdf(*report, path, &error), qPrintable(error));

    const QString text = pdfText(path).simplified();
    for (const QString& n : reportVariableNames()) {
        const QString expected = QStringLiteral("%1=%2;").arg(n, reportText(*ReportVariable(n, source)));
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + text));
    }
    QVERIFY(text.contains(QStringLiteral("u1=[u1]")));
    QCOMPARE(pdfImageCount(path), 1);
}

void TestReport::chineseTemplateGivesChineseTexts()
{
    Recording r = record(QStringLiteral("full"));
    QImage chart = RecordChart::newImage();
    for (bool chinese : {false, true}) {
        ReportEngine engine;
        const QString name = chinese ? QStringLiteral("printcn.frf") : QStringLiteral("print.frf");
        QVERIFY(engine.loadTemplate(QStringLiteral(TAMSEL_BIN_DIR "/data/") + name));
        // No settings file: the process figures are judged by the lead-free defaults.
        const ReportSource source{r, style(chinese), reportFigures(r, m_dir.filePath(QStringLiteral("none.ini")), style(chinese))};
        RecordChart::DrawChart(chart, r, 1.0f, source.style);
        auto report = engine.prepare([&](const QString& n) { return ReportVariable(n, source); },
                                     ReportEngine::picture(chart));
        const QString path = m_dir.filePath(name + QStringLiteral(".pdf"));
        QString error;
        QVERIFY2(ReportEngine::writePdf(*report, path, &error), qPrintable(error));
        const QString text = pdfText(path);
        QVERIFY2(text.contains(chinese ? QStringLiteral("拆焊") : QStringLiteral("Desoldering")), qPrintable(text));
        QVERIFY(text.contains(chinese ? QStringLiteral("右上") : QStringLiteral("right up")));
        QVERIFY(text.contains(QStringLiteral("BGA256")));
        QVERIFY(!text.contains(QLatin1Char('[')));
        QCOMPARE(report->pageCount(), 1);
        QCOMPARE(pdfImageCount(path), 1);
    }
}

void TestReport::missingTemplateKeepsThePreviousOne()
{
    ReportEngine engine;
    QVERIFY(!engine.loadTemplate(m_dir.filePath("none.frf")));
    QVERIFY(!engine.hasTemplate());
    QVERIFY(!engine.prepare([](const QString&) { return std::nullopt; }, QImage()));

    QFile f(m_dir.filePath("own.frf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<p>Own [p3]</p>");
    f.close();
    QVERIFY(engine.loadTemplate(f.fileName()));
    QVERIFY(!engine.loadTemplate(m_dir.filePath("none.frf")));
    QCOMPARE(engine.templateText(), QStringLiteral("<p>Own [p3]</p>"));
    // No Picture1 in the template: a report without a chart.
    auto report = engine.prepare([](const QString&) { return QVariant(QStringLiteral("Li")); }, QImage(800, 600, QImage::Format_RGB32));
    QVERIFY(report);
    QCOMPARE(report->toPlainText(), QStringLiteral("Own Li"));
}

void TestReport::hugeCellSpansAreLimited()
{
    // colspan=99999 held the layout for many seconds; spans are limited, small ones kept.
    ReportEngine engine;
    engine.setTemplate(QStringLiteral("<table><tr><td colspan=99999>a</td><td ROWSPAN = '3'>b</td></tr>"
                                      "<tr><td colspan=\"2147483648\">[p3]</td></tr></table>"));
    const auto none = [](const QString&) { return std::optional<QVariant>(); };
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QTextDocument> report = engine.prepare(none, QImage());
    report->setPageSize(QSizeF(800, 1100));
    QVERIFY(report->pageCount() >= 1);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QTextTable* table = report->rootFrame()->firstCursorPosition().currentTable();
    if (!table) {
        QTextCursor c(report.get());
        c.movePosition(QTextCursor::NextBlock);
        table = c.currentTable();
    }
    QVERIFY(table);
    QCOMPARE(table->columns(), 65);
    QCOMPARE(table->cellAt(0, 0).columnSpan(), 64);
    QCOMPARE(table->cellAt(0, 64).rowSpan(), 2); // 3 asked, the table has 2 rows
    QCOMPARE(table->cellAt(1, 0).columnSpan(), 64);
}

void TestReport::unwritablePdfFailsWithTheReason()
{
    ReportEngine engine;
    engine.setTemplate(QStringLiteral("<p>x</p>"));
    auto report = engine.prepare([](const QString&) { return std::nullopt; }, QImage());
    QString error;
    QVERIFY(!ReportEngine::writePdf(*report, m_dir.filePath("no/such/folder/r.pdf"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
