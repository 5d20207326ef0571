#include <QPainter>
#include <QtTest>

#include "records/chart_analysis.h"
#include "records/record_chart.h"

using namespace ChartAnalysis;
using namespace RecordChart;

Q_DECLARE_METATYPE(QList<int>)

namespace {

Recording withTc(int n, float interval)
{
    Recording r;
    StationStatus s;
    for (int i = 0; i < n; ++i) {
        r.TakeSample(s, interval);
        r.samples.last().tc = float(100 + i);
        r.samples.last().tb = float(50 + i);
    }
    return r;
}

// Presents `chart` on a surface of `size` with the cursor at `x`; returns the surface.
QImage present(const Recording& r, float interval, Cursor& c, QSize size = QSize(Width, Height),
               QImage* chartOut = nullptr)
{
    QImage chart = newImage();
    const int p = DrawChart(chart, r, interval, ChartStyle());
    QImage surface(size, QImage::Format_RGB32);
    {
        QPainter painter(&surface);
        PresentChart(painter, size, chart, r, interval, p, c, ChartStyle());
    }
    if (chartOut)
        *chartOut = chart;
    return surface;
}

QList<int> times(const QList<AnalysisDot>& dots)
{
    QList<int> t;
    for (const AnalysisDot& d : dots)
        t.append(int(d.time));
    return t;
}

} // namespace

class TestChartAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void dotsStaySortedAndTheFifthIsRefused_data();
    void dotsStaySortedAndTheFifthIsRefused();
    void dotBeyondTheLastSampleHoldsZeros();
    void cursorNeverShownGivesZeroDot();
    void cursorStopsAtTheLastSample();
    void manualZoomSteps_data();
    void manualZoomSteps();
    void zoomRectangle_data();
    void zoomRectangle();
    void panFollowsTheMouse();
    void cursorIsOnTheSurfaceButNotInTheChartImage();
    void exposedPartEqualsTheWholeStretch_data();
    void exposedPartEqualsTheWholeStretch();
};

void TestChartAnalysis::dotsStaySortedAndTheFifthIsRefused_data()
{
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<QList<int>>("kept");
    QTest::addColumn<QList<int>>("afterEraseLast");
    QTest::newRow("ascending") << QList<int>{10, 20, 30} << QList<int>{10, 20, 30} << QList<int>{10, 20};
    QTest::newRow("descending") << QList<int>{30, 20, 10} << QList<int>{10, 20, 30} << QList<int>{10, 20};
    QTest::newRow("mixed") << QList<int>{50, 5, 70, 20} << QList<int>{5, 20, 50, 70} << QList<int>{5, 20, 50};
    QTest::newRow("fifth refused") << QList<int>{40, 10, 30, 20, 5} << QList<int>{10, 20, 30, 40}
                                   << QList<int>{10, 20, 30};
    QTest::newRow("equal times") << QList<int>{20, 10, 20, 15} << QList<int>{10, 15, 20, 20} << QList<int>{10, 15, 20};
    QTest::newRow("one") << QList<int>{7} << QList<int>{7} << QList<int>{};
}

void TestChartAnalysis::dotsStaySortedAndTheFifthIsRefused()
{
    QFETCH(QList<int>, added);
    QFETCH(QList<int>, kept);
    QFETCH(QList<int>, afterEraseLast);
    QList<AnalysisDot> dots;
    for (int i = 0; i < added.size(); ++i) {
        Cursor c;
        c.time = added[i];
        c.tc = float(added[i] * 2);
        c.tb = float(added[i] * 3);
        QCOMPARE(AddAnalysisDot(dots, c), i < AnalysisDot::MaxDots);
    }
    QCOMPARE(times(dots), kept);
    for (const AnalysisDot& d : dots) {
        QCOMPARE(d.tc, d.time * 2); // each dot moved whole
        QCOMPARE(d.tb, d.time * 3);
    }
    eraseLastDot(dots);
    QCOMPARE(times(dots), afterEraseLast);
}

void TestChartAnalysis::dotBeyondTheLastSampleHoldsZeros()
{
    // At 0.5 s the last sample (1.5 s) lies on a half second: the cursor stopped there
    // snaps to 2 s, one sample beyond the record.
    Recording r = withTc(4, 0.5f);
    Cursor c;
    c.on = true;
    c.mouseX = 900;
    present(r, 0.5f, c);
    QCOMPARE(c.time, 2);
    QCOMPARE(c.tc, 0.0f);
    QCOMPARE(c.tb, 0.0f);
    QVERIFY(AddAnalysisDot(r.dots, c));
    QCOMPARE(r.dots.value(0), (AnalysisDot{2, 0, 0}));

    // A record without samples holds the cursor at time 0, beyond it as well.
    Recording empty;
    Cursor e;
    e.on = true;
    e.mouseX = 500;
    present(empty, 1.0f, e);
    QCOMPARE(e.x, 65);
    QCOMPARE(e.time, 0);
    QCOMPARE(e.tc, 0.0f);
}

void TestChartAnalysis::cursorNeverShownGivesZeroDot()
{
    Recording r = withTc(10, 1.0f);
    Cursor c;
    c.mouseX = 300; // moved over, but off: nothing computed
    present(r, 1.0f, c);
    QVERIFY(AddAnalysisDot(r.dots, c));
    QCOMPARE(r.dots.value(0), (AnalysisDot{0, 0, 0}));
}

void TestChartAnalysis::cursorStopsAtTheLastSample()
{
    Recording r = withTc(10, 1.5f); // the last sample at 13.5 s, x = 65 + 54
    Cursor c;
    c.on = true;
    c.mouseX = 400;
    present(r, 1.5f, c);
    QCOMPARE(c.time, 14); // 13.5 to the even second, sample 9
    QCOMPARE(c.tc, 109.0f);
    QCOMPARE(c.x, 65 + 56);
    QCOMPARE(cursorRightLimit(Width, r, 1.5f, 4), 119);
    QCOMPARE(cursorRightLimit(Width / 2, r, 1.5f, 4), 60); // 59.5 to even
    QCOMPARE(cursorLeftLimit(Width / 2), 32);

    // A recording that runs off the image: the cursor stays on it.
    Recording longer = withTc(2000, 1.0f);
    QCOMPARE(cursorRightLimit(Width, longer, 1.0f, 1), Width - 1);
}

void TestChartAnalysis::manualZoomSteps_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<int>("newWidth");
    QTest::addColumn<int>("newHeight");
    QTest::newRow("in from 1024") << 1024 << true << 1126 << 844;     // 1126.4; 844.5 to even
    QTest::newRow("in from 4095, past 4096") << 4095 << true << 4504 << 3378; // 4504.5 to even
    QTest::newRow("in at 4096 stays") << 4096 << true << 4096 << 3072;
    QTest::newRow("out from 501") << 501 << false << 451 << 338;      // 450.9; 338.25
    QTest::newRow("out at 500 stays") << 500 << false << 500 << 375;
    QTest::newRow("out from 4504") << 4504 << false << 4054 << 3040;  // 4053.6; 3040.5 to even
}

void TestChartAnalysis::manualZoomSteps()
{
    QFETCH(int, width);
    QFETCH(bool, zoomIn);
    QFETCH(int, newWidth);
    QFETCH(int, newHeight);
    QCOMPARE(manualZoomWidth(width, zoomIn), newWidth);
    QCOMPARE(panelSizeFor(newWidth), QSize(newWidth, newHeight));
}

void TestChartAnalysis::zoomRectangle_data()
{
    QTest::addColumn<QSize>("surface");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<bool>("zooms");
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<double>("fx");
    QTest::addColumn<double>("fy");
    QTest::newRow("no width") << QSize(1000, 750) << QPoint(100, 100) << QPoint(100, 300) << false << QSize() << 0.0 << 0.0;
    QTest::newRow("no height") << QSize(1000, 750) << QPoint(100, 100) << QPoint(300, 100) << false << QSize() << 0.0 << 0.0;
    // f = max(1000 / 250, 750 / 100) = 7.5: 7500 wide, held at 4096.
    QTest::newRow("flat, held at 4096") << QSize(1000, 750) << QPoint(200, 150) << QPoint(450, 250) << true
                                        << QSize(4096, 3072) << 0.2 << 0.2;
    // f = max(800 / 400, 600 / 200) = 3: 2400 x 1800; dragged up and left.
    QTest::newRow("dragged backwards") << QSize(800, 600) << QPoint(600, 400) << QPoint(200, 200) << true
                                       << QSize(2400, 1800) << 0.75 << 400.0 / 600;
}

void TestChartAnalysis::zoomRectangle()
{
    QFETCH(QSize, surface);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(bool, zooms);
    const std::optional<RectangleZoom> z = zoomToRectangle(surface, start, end);
    QCOMPARE(z.has_value(), zooms);
    if (!zooms)
        return;
    QTEST(z->panel, "panel");
    QTEST(z->fx, "fx");
    QTEST(z->fy, "fy");
    QCOMPARE(scrollTo(3000, z->fx), int(std::nearbyint(3000 * z->fx)));
}

void TestChartAnalysis::panFollowsTheMouse()
{
    // Pressed at x 500 of a panel at -100 (scrolled 100); the mouse goes 50 to the left:
    // first the panel has not moved yet, then it has moved with the scroll.
    QCOMPARE(panScroll(100, 450, 500, -100, -100), 150);
    // Back 40 to the right in the screen (at 390): in the moved panel that is x 540.
    QCOMPARE(panScroll(100, 540, 500, -100, -150), 110);
}

void TestChartAnalysis::cursorIsOnTheSurfaceButNotInTheChartImage()
{
    Recording r = withTc(100, 1.0f);
    r.dots.append({20, 140, 70});
    Cursor c;
    c.on = true;
    c.mouseX = 65 + 4 * 50; // 50 s
    QImage chart;
    const QImage surface = present(r, 1.0f, c, QSize(Width, Height), &chart);
    QCOMPARE(c.time, 50);
    const QColor black(Qt::black);
    // The cursor's line and readout box on the surface...
    QCOMPARE(surface.pixelColor(265, 300), black);
    QCOMPARE(surface.pixelColor(300, 87), ChartStyle().buttonFace);
    // ...not in the image that the report prints, which has the dot's line and texts.
    QVERIFY(chart.pixelColor(265, 300) != black);
    QVERIFY(chart.pixelColor(300, 87) != ChartStyle().buttonFace);
    QCOMPARE(chart.pixelColor(145, 300), black);
    bool dotText = false;
    for (int x = 110; x < 210 && !dotText; ++x)
        for (int y = 105; y < 117 && !dotText; ++y)
            dotText = qGray(chart.pixel(x, y)) < 100 && x != 145;
    QVERIFY(dotText); // "TC:" and 140.0
}

void TestChartAnalysis::exposedPartEqualsTheWholeStretch_data()
{
    QTest::addColumn<QSize>("surface");
    QTest::addColumn<QRect>("exposed");
    QTest::newRow("fit, lower right") << QSize(1280, 800) << QRect(600, 300, 680, 500);
    QTest::newRow("largest zoom, middle") << QSize(4504, 3378) << QRect(1700, 1300, 1262, 782);
    QTest::newRow("shrunk") << QSize(700, 500) << QRect(0, 0, 350, 250);
}

void TestChartAnalysis::exposedPartEqualsTheWholeStretch()
{
    QFETCH(QSize, surface);
    QFETCH(QRect, exposed);
    Recording r = withTc(400, 0.5f);
    QImage chart = newImage();
    const int p = DrawChart(chart, r, 0.5f, ChartStyle());
    Cursor c;
    c.on = true;
    c.mouseX = exposed.center().x();
    QImage whole(surface, QImage::Format_RGB32);
    {
        QPainter painter(&whole);
        PresentChart(painter, surface, chart, r, 0.5f, p, c, ChartStyle());
    }
    // The window's view: only the exposed part, widened to whole columns, painted into an
    // image of its own.
    const QRect area = presentedArea(exposed, surface);
    QVERIFY(area.contains(exposed));
    QVERIFY(area.width() < exposed.width() + 256);
    QImage part(area.size(), QImage::Format_RGB32);
    part.fill(Qt::red);
    Cursor c2 = c;
    {
        QPainter painter(&part);
        painter.translate(-area.topLeft());
        PresentChart(painter, surface, chart, r, 0.5f, p, c2, ChartStyle(), exposed);
    }
    QCOMPARE(c2.x, c.x);
    QVERIFY(part == whole.copy(area));
}

QTEST_MAIN(TestChartAnalysis)
#include "test_chart_analysis.moc"
