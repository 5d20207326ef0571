#include <QDir>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include "desoldering_process.h"
#include "records/header_display.h"
#include "records/mini_profile.h"
#include "records/record_chart.h"

using namespace RecordChart;

namespace {

const QColor kHot(0, 102, 204);
const QColor kGrey(128, 128, 128);

QColor at(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y);
}

bool rowHas(const QImage& img, int y, const QColor& c, int x0 = 66, int x1 = 960)
{
    for (int x = x0; x <= x1; ++x)
        if (img.pixelColor(x, y) == c)
            return true;
    return false;
}

Recording withSamples(int n, float interval)
{
    Recording r;
    StationStatus s;
    for (int i = 0; i < n; ++i)
        r.TakeSample(s, interval);
    return r;
}

int x(int i, int p, float interval)
{
    return int(std::nearbyint(double(i * p) * interval)) + 65;
}

} // namespace

class TestRecordChart : public QObject
{
    Q_OBJECT

private slots:
    void emptyRecordDrawsTwelveTicksAndFifteenGridLines();
    void timeScaleFollowsTheLastSample_data();
    void timeScaleFollowsTheLastSample();
    void curvesAndBandsSitWhereTheSamplesSay();
    void overlayVerticesForBothAnchors();
    void analysisDotDrawsItsLine();
    void fastDrawingEqualsDrawingEverySegment_data();
    void fastDrawingEqualsDrawingEverySegment();
    void cursorSnapsToWholeSecondSamples();
    void desolderingProcessRendersToPng();
    void miniProfileRunsThroughItsVertices();
    void headerDisplayTexts();
    void absurdHeaderValuesDrawWithoutOverflow();
};

// Values such a header may hold after damage: they are drawn far off the picture, never
// overflow (the sanitizer build checks the arithmetic).
void TestRecordChart::absurdHeaderValuesDrawWithoutOverflow()
{
    for (const float v : {3e9f, 1e12f, -1e12f, std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN()}) {
        for (const uint8_t fromEntry : {uint8_t(0), uint8_t(1)}) {
            Recording r = withSamples(3, 1.0f);
            r.header.overlayOn = 1;
            r.header.overlayFromEntry = fromEntry;
            r.header.overlayTime = v;
            r.header.T1 = r.header.T2 = r.header.T3 = v;
            r.header.S1 = r.header.S2 = r.header.S3 = v;
            QImage img = newImage();
            DrawChart(img, r, 1.0f, ChartStyle());
            QImage mini(300, 150, QImage::Format_RGB32);
            DrawMiniProfile(mini, r.header, QStringLiteral("\u2103"));
        }
    }
}

void TestRecordChart::emptyRecordDrawsTwelveTicksAndFifteenGridLines()
{
    QImage img = newImage();
    Recording r;
    QCOMPARE(DrawChart(img, r, 1.0f, ChartStyle()), 4);
    int ticks = 0;
    for (int xx = 60; xx < Width; ++xx)
        if (at(img, xx, 625) == kHot) {
            ++ticks;
            QCOMPARE((xx - 65) % 80, 0);
        }
    QCOMPARE(ticks, 12); // 65 .. 945
    int lines = 0;
    for (int y = 0; y < 640; ++y) {
        int dots = 0; // a dotted grid line, not the tick marks crossing the row
        for (int xx = 300; xx <= 900; ++xx)
            dots += at(img, xx, y) == kHot;
        if (dots > 100) {
            ++lines;
            QCOMPARE((628 - y) % 43, 0);
        }
    }
    QCOMPARE(lines, 15); // 628 .. 26
    // Nothing but axes, labels and legend: no curve colours anywhere.
    for (int y = 0; y < Height; ++y)
        for (int xx = 0; xx < Width; ++xx) {
            const QColor c = at(img, xx, y);
            QVERIFY2(c != QColor(255, 0, 0) && c != QColor(0, 0, 255) && c != QColor(255, 255, 0), "curve pixel");
        }
}

void TestRecordChart::timeScaleFollowsTheLastSample_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("spacing");
    // Interval 0.5: the last time is (n - 1) / 2.
    QTest::newRow("231") << 463 << 4 << 80;
    QTest::newRow("231.5") << 464 << 3 << 75;
    QTest::newRow("308") << 617 << 3 << 75;
    QTest::newRow("308.5") << 618 << 2 << 80;
    QTest::newRow("462") << 925 << 2 << 80;
    QTest::newRow("462.5") << 926 << 1 << 80;
}

void TestRecordChart::timeScaleFollowsTheLastSample()
{
    QFETCH(int, samples);
    QFETCH(int, scale);
    QFETCH(int, spacing);
    QImage img = newImage();
    const Recording r = withSamples(samples, 0.5f);
    QCOMPARE(DrawChart(img, r, 0.5f, ChartStyle()), scale);
    QCOMPARE(at(img, 65 + spacing, 620), kHot);
    QCOMPARE(at(img, 65 + spacing - 5, 620), QColor(Qt::white));
}

void TestRecordChart::curvesAndBandsSitWhereTheSamplesSay()
{
    Recording r;
    StationStatus s;
    s.setWord(StationStatus::Word::Tc, 100);
    s.setWord(StationStatus::Word::Tb, 50);
    r.TakeSample(s, 1.0f);
    s.setByte(StationStatus::StateFlagsOffset, 0x80); // fan on from sample 1
    s.setByte(StationStatus::OutputFlagsOffset, 0x20); // bottom heater
    r.TakeSample(s, 1.0f);
    s.setByte(StationStatus::StateFlagsOffset, 0x40);
    s.setByte(StationStatus::OutputFlagsOffset, 0x10);
    r.TakeSample(s, 1.0f);
    QImage img = newImage();
    DrawChart(img, r, 1.0f, ChartStyle());
    // p = 4, I = 1: x = 65, 69, 73. Tc 100 at y = 628 - 215, Tb 50 at Round(520.5) = 520.
    QCOMPARE(at(img, 67, 413), QColor(255, 0, 0));
    QCOMPARE(at(img, 67, 520), QColor(0, 0, 255));
    const int H = Height;
    QCOMPARE(at(img, 65, H - 105), QColor(255, 255, 0)); // fan, cell 1: 65..68
    QCOMPARE(at(img, 68, H - 100), QColor(255, 255, 0));
    QCOMPARE(at(img, 68, H - 99), QColor(Qt::white)); // bottom edge excluded
    QCOMPARE(at(img, 69, H - 105), QColor(Qt::white)); // cell 2: fan off
    QCOMPARE(at(img, 70, H - 78), QColor(0, 255, 255)); // pump, cell 2
    QCOMPARE(at(img, 66, H - 28), QColor(0, 128, 0)); // bottom heater, cell 1
    QCOMPARE(at(img, 72, H - 52), QColor(128, 0, 128)); // top heater, cell 2
    QCOMPARE(at(img, 73, H - 52), QColor(Qt::white)); // right edge excluded
}

void TestRecordChart::overlayVerticesForBothAnchors()
{
    Recording r;
    RecordHeader& h = r.header;
    h.overlayOn = 1;
    h.overlayFromEntry = 1;
    h.overlayTime = 60;
    h.T1 = 150;
    h.T2 = 180;
    h.T3 = 230;
    h.S1 = 60;
    h.S2 = 40;
    h.S3 = 20;
    QImage img = newImage();
    DrawChart(img, r, 1.0f, ChartStyle());
    // A = 4 x 60 + 65 = 305, Y(150) = 628 - Round(322.5) = 306; B = 545, Y(180) = 241.
    QCOMPARE(at(img, 305, 306), kGrey);
    QCOMPARE(at(img, 545, 241), kGrey);
    QCOMPARE(at(img, 320, Height - 240), kGrey); // the S1 span, left of its opaque label
    // The ramp starts at 30 degrees: xs = 305 - Round(120 / k x 4) = 28 <= 65, from the margin.
    QCOMPARE(at(img, 65, 628 - int(std::nearbyint((150 - std::sqrt(3.0) * 60) * 2.15))), kGrey);

    h.overlayFromEntry = 0; // T2 reached at 60 s: xa = 305 - 240 = 65, not right of the margin
    h.overlayTime = 100;     // A = 465, xa = 225
    img = newImage();
    DrawChart(img, r, 1.0f, ChartStyle());
    QCOMPARE(at(img, 465, 241), kGrey);
    QCOMPARE(at(img, 225, 306), kGrey);
    // S1 = 0 with the anchor at 0 s: the ramp ends on the margin at T2, no division by zero.
    h.S1 = 0;
    h.overlayTime = 0;
    img = newImage();
    DrawChart(img, r, 1.0f, ChartStyle());
    QCOMPARE(at(img, 65, 241), kGrey);
}

void TestRecordChart::analysisDotDrawsItsLine()
{
    Recording r;
    r.dots.append({100, 180, 120});
    QImage img = newImage();
    DrawChart(img, r, 1.0f, ChartStyle());
    QCOMPARE(at(img, 465, 400), QColor(Qt::black));
    QCOMPARE(at(img, 465, 30), QColor(Qt::black));
    QCOMPARE(at(img, 465, 28), QColor(Qt::white));
    QVERIFY(rowHas(img, 97, QColor(Qt::black), 430, 520)); // the "time:" readout
}

void TestRecordChart::fastDrawingEqualsDrawingEverySegment_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<float>("interval");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<bool>("celsius");
    QTest::addColumn<bool>("negative");
    QTest::newRow("200 x 1.5 s, Small") << 200 << 1.5f << 1 << true << false;
    QTest::newRow("1000 x 0.5 s, Medium") << 1000 << 0.5f << 2 << true << false;
    QTest::newRow("10000 x 0.5 s, Large, Fahrenheit") << 10000 << 0.5f << 3 << false << false;
    QTest::newRow("65535 x 5 s, Large") << 65535 << 5.0f << 3 << true << false;
    QTest::newRow("negative values from a file") << 2000 << 1.0f << 2 << true << true;
}

void TestRecordChart::fastDrawingEqualsDrawingEverySegment()
{
    QFETCH(int, samples);
    QFETCH(float, interval);
    QFETCH(int, lineWidth);
    QFETCH(bool, celsius);
    QFETCH(bool, negative);
    QRandomGenerator rng(samples);
    Recording r = DesolderingProcess::make(samples, interval);
    r.setCelsius(celsius);
    for (RecordSample& s : r.samples) {
        // Flags that change often, so the band runs are short.
        if (rng.bounded(5) == 0)
            s.pump = !s.pump;
        if (rng.bounded(7) == 0)
            s.fan = !s.fan;
        if (negative)
            s.tb = -float(rng.bounded(60));
    }
    ChartStyle style;
    style.lineWidth = lineWidth;
    style.chinese = samples % 2 == 0;
    QImage fast = newImage();
    QImage every = newImage();
    DrawChart(fast, r, interval, style, Segments::Visible);
    DrawChart(every, r, interval, style, Segments::Every);
    QVERIFY(fast == every);
}

void TestRecordChart::cursorSnapsToWholeSecondSamples()
{
    Recording r = withSamples(10, 1.5f);
    for (int i = 0; i < r.samples.size(); ++i)
        r.samples[i].tc = float(100 + i);
    QImage chart = newImage();
    const int p = DrawChart(chart, r, 1.5f, ChartStyle());
    QCOMPARE(p, 4);
    QImage surface(Width, Height, QImage::Format_RGB32);
    Cursor c;
    c.on = true;
    c.mouseX = 65 + 18; // 4.5 s
    {
        QPainter painter(&surface);
        PresentChart(painter, surface.size(), chart, r, 1.5f, p, c, ChartStyle());
    }
    QCOMPARE(c.time, 4); // sample 3 at 4.5 s shows as 4 (halves to even)
    QCOMPARE(c.tc, 103.0f);
    QCOMPARE(c.x, 81);
    QCOMPARE(surface.pixelColor(81, 300), QColor(Qt::black));
    QCOMPARE(surface.pixelColor(160, 87), ChartStyle().buttonFace);

    c.mouseX = 10; // left of the curves: held at time 0
    {
        QPainter painter(&surface);
        PresentChart(painter, surface.size(), chart, r, 1.5f, p, c, ChartStyle());
    }
    QCOMPARE(c.x, 65);
    QCOMPARE(c.tc, 100.0f);

    c.mouseX = 400; // right of the last sample: held there
    {
        QPainter painter(&surface);
        PresentChart(painter, surface.size(), chart, r, 1.5f, p, c, ChartStyle());
    }
    QCOMPARE(c.time, 14);
    QCOMPARE(c.tc, 109.0f);

    // Half the size: the left limit is converted to window pixels.
    QImage half(Width / 2, Height / 2, QImage::Format_RGB32);
    c.mouseX = 0;
    {
        QPainter painter(&half);
        PresentChart(painter, half.size(), chart, r, 1.5f, p, c, ChartStyle());
    }
    QCOMPARE(c.x, 32); // Round(65 / 2) = 32
}

void TestRecordChart::desolderingProcessRendersToPng()
{
    Recording r = DesolderingProcess::make(300, 1.0f);
    QCOMPARE(int(r.header.overlayOn), 1);
    QCOMPARE(int(r.header.overlayFromEntry), 0); // the last change left the soak
    r.dots.append({72, r.samples[72].tc, r.samples[72].tb});
    r.dots.append({190, r.samples[190].tc, r.samples[190].tb});
    ChartStyle style;
    style.lineWidth = 2;
    QImage img = newImage();
    QCOMPARE(DrawChart(img, r, 1.0f, style), 3);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath("chart_desoldering.png");
    QVERIFY(img.save(path));
    style.chinese = true;
    DrawChart(img, r, 1.0f, style);
    QVERIFY(img.save(QDir(QCoreApplication::applicationDirPath()).filePath("chart_desoldering_zh.png")));
    // The hold at 230 degrees lies at y = 628 - Round(494.5) = 134 from x = 65 + 3 x 172.
    QVERIFY(rowHas(img, 134, QColor(255, 0, 0), 581, 640));
}

void TestRecordChart::miniProfileRunsThroughItsVertices()
{
    Recording r;
    r.header.T1 = 120;
    r.header.S1 = 50;
    r.header.T2 = 140;
    r.header.S2 = 45;
    r.header.T3 = 195;
    r.header.S3 = 15;
    QImage img(242, 135, QImage::Format_RGB32);
    DrawMiniProfile(img, r.header, QStringLiteral("\u2103"));
    const QColor red(255, 0, 0);
    for (const QPoint& v : {QPoint(20, 101), QPoint(72, 51), QPoint(108, 41), QPoint(140, 10), QPoint(238, 106)})
        QVERIFY2(img.pixelColor(v) == red, qPrintable(QStringLiteral("vertex %1,%2").arg(v.x()).arg(v.y())));
    r.header.S1 = 0; // straight from 30 degrees to T2: x2 = 20 + Round(110 / k) = 84
    DrawMiniProfile(img, r.header, QStringLiteral("\u2103"));
    QCOMPARE(img.pixelColor(84, 41), red);
    QCOMPARE(img.pixelColor(72, 51) == red, false);
}

void TestRecordChart::headerDisplayTexts()
{
    Recording r = DesolderingProcess::make(3, 1.0f);
    r.header.recordDate = OleDate::fromDateTime(QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
    HeaderDisplay en = HeaderDisplay::of(r, false);
    QCOMPARE(en.flow, QStringLiteral("Flow:4"));
    QCOMPARE(en.sensor, QStringLiteral("Sensor:Thermocouple"));
    QCOMPARE(en.T1, QStringLiteral("T1=150.0"));
    QCOMPARE(en.S3, QStringLiteral("S3=20.0"));
    QCOMPARE(en.dateText, QLocale::system().toString(QDate(2024, 3, 5), QLocale::ShortFormat));
    QVERIFY(!en.savedOrLoaded);
    r.header.sensorIR = 1;
    HeaderDisplay zh = HeaderDisplay::of(r, true);
    QCOMPARE(zh.flow, QStringLiteral("流程:4"));
    QCOMPARE(zh.sensor, QStringLiteral("传感器:IR-传感器"));
    QCOMPARE(zh.inputs.profileTypeIndex, 1);
    r.header.recordDate += 0.5;
    QVERIFY(HeaderDisplay::of(r, false).dateText.size() > en.dateText.size());
    QCOMPARE(OleDate::toDateTime(r.header.recordDate), QDateTime(QDate(2024, 3, 5), QTime(12, 0)));
}

QTEST_MAIN(TestRecordChart)
#include "test_record_chart.moc"
