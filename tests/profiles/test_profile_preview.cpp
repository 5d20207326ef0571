#include <QtTest>

#include <QImage>
#include <QPainter>

#include "profiles/chart_axes.h"
#include "profiles/profile_preview.h"
#include "profiles/profile_table.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0);

QImage box()
{
    QImage img(224, 149, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool isFrame(const QImage& img, int x, int y)
{
    return img.pixel(x, y) == ChartAxes::frameColor().rgb();
}

// Bounding box of the pixels in `area` that are neither black nor red: the ink of the labels
// and the frame lines that run through the area.
QRect ink(const QImage& img, const QRect& area)
{
    QRect r;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (p != qRgb(0, 0, 0) && p != kRed)
                r |= QRect(x, y, 1, 1);
        }
    return r;
}

void fillDefault(ProfileTable& t, int r)
{
    using namespace ProfileColumn;
    t.SetCell(T1, r, 120.0);
    t.SetCell(S1, r, QStringLiteral("50"));
    t.SetCell(T2, r, 140.0);
    t.SetCell(S2, r, QStringLiteral("45"));
    t.SetCell(T3, r, 195.0);
    t.SetCell(S3, r, QStringLiteral("15"));
    t.SetCell(Unit, r, QStringLiteral("℃"));
}

} // namespace

class TestProfilePreview : public QObject
{
    Q_OBJECT
private slots:
    void defaultProfileFrameAndLabels()
    {
        ProfileTable table;
        fillDefault(table, 1);
        QImage img = box();
        PreviewProfile(img, table, 1);

        // Frame through its two corners, black inside, black outside.
        QVERIFY(isFrame(img, 20, 5));
        QVERIFY(isFrame(img, 219, 131));
        QVERIFY(isFrame(img, 120, 5));
        QVERIFY(isFrame(img, 120, 131));
        QVERIFY(isFrame(img, 219, 70));
        QCOMPARE(img.pixel(120, 4), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(220, 70), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(150, 20), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(223, 148), qRgb(0, 0, 0));

        // Dotted quarter lines at 36, 67, 98: some dots, some gaps, nothing on the rows beside.
        for (int y : { 36, 67, 98 }) {
            int dots = 0;
            for (int x = 140; x < 218; ++x)
                dots += isFrame(img, x, y);
            QVERIFY2(dots > 10 && dots < 70, qPrintable(QString::number(y)));
            QCOMPARE(ink(img, QRect(140, y - 1, 78, 1)), QRect());
            QCOMPARE(ink(img, QRect(140, y + 1, 78, 1)), QRect());
        }

        // Labels: each cell's top-left corner at the given point (glyphs sit a little inside).
        struct Label { QRect area; QPoint cell; };
        const Label labels[] = {
            { QRect(15, 132, 40, 17), QPoint(20, 133) },   // "0", time
            { QRect(95, 132, 60, 17), QPoint(107, 133) },  // "Time/s"
            { QRect(196, 132, 28, 17), QPoint(202, 133) }, // "300"
            { QRect(0, 112, 19, 19), QPoint(12, 119) },    // "0", temperature
            { QRect(0, 0, 19, 30), QPoint(1, 5) },         // "205" (cut by the frame at x 20)
        };
        for (const Label& l : labels) {
            const QRect r = ink(img, l.area);
            const QString where = QStringLiteral("label at %1,%2: ink %3,%4 %5x%6")
                                      .arg(l.cell.x()).arg(l.cell.y()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            QVERIFY2(!r.isEmpty(), qPrintable(where));
            QVERIFY2(r.left() >= l.cell.x() && r.left() <= l.cell.x() + 2, qPrintable(where));
            QVERIFY2(r.top() >= l.cell.y() && r.top() <= l.cell.y() + 4, qPrintable(where));
            QVERIFY2(r.bottom() <= l.cell.y() + 14, qPrintable(where));
        }
        // "Temp./℃" runs upwards from (2, 84), its glyph tops towards the left edge.
        const QRect rotated = ink(img, QRect(0, 20, 19, 85));
        QVERIFY(rotated.left() >= 2 && rotated.left() <= 5);
        QVERIFY(rotated.right() <= 2 + 14);
        QVERIFY(rotated.bottom() <= 84 && rotated.bottom() >= 80);
        QVERIFY(rotated.height() > 30);
        // The top label is three digits wide, i.e. "205", not "20".
        const QRect top = ink(img, QRect(0, 0, 19, 20));
        QVERIFY2(top.right() >= 17, qPrintable(QString::number(top.right())));
    }

    void defaultProfileCurve_data()
    {
        QTest::addColumn<QString>("s1");
        QTest::addColumn<QList<QPoint>>("vertices");
        QTest::newRow("S1 50") << "50"
                               << QList<QPoint>{ { 20, 113 }, { 54, 57 }, { 87, 45 }, { 117, 11 }, { 127, 11 }, { 192, 119 } };
        // T1 unused; x3 = 62 + Round(xs * 45) = 92.
        QTest::newRow("S1 0") << "0"
                              << QList<QPoint>{ { 20, 113 }, { 62, 45 }, { 92, 11 }, { 102, 11 }, { 167, 119 } };
    }
    void defaultProfileCurve()
    {
        QFETCH(QString, s1);
        QFETCH(QList<QPoint>, vertices);
        ProfileTable table;
        fillDefault(table, 1);
        table.SetCell(ProfileColumn::S1, 1, s1);
        QImage img = box();
        PreviewProfile(img, table, 1);

        QImage expected(img.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        {
            QPainter p(&expected);
            p.setPen(QPen(QColor(kRed), 0));
            for (int i = 1; i < vertices.size(); ++i)
                p.drawLine(vertices[i - 1], vertices[i]);
        }
        // Every red pixel of the preview lies on the expected polyline and vice versa.
        int red = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool isRed = img.pixel(x, y) == kRed;
                red += isRed;
                if (isRed != (expected.pixel(x, y) == kRed))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        QVERIFY(red > 100);
    }

    void emptyRowDrawsTheTopLabelTen()
    {
        ProfileTable table;
        QImage img = box();
        PreviewProfile(img, table, 2);
        auto labelOnly = [](const QString& top) {
            QImage ref(224, 149, QImage::Format_RGB32);
            QPainter p(&ref);
            p.fillRect(ref.rect(), Qt::black);
            p.setPen(ChartAxes::frameColor());
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(ChartAxes::LabelPixelSize);
            f.setStyleStrategy(QFont::NoAntialias);
            p.setFont(f);
            DrawCellText(p, top, 1, 5);
            return ref;
        };
        const QImage ten = labelOnly(QStringLiteral("10"));
        const QImage twenty = labelOnly(QStringLiteral("20"));
        // Compare the frame-coloured pixels left of the frame, except where the curve (which
        // runs far above the image here) crosses them.
        int sameAsTen = 0, sameAsTwenty = 0, total = 0;
        for (int y = 5; y < 20; ++y)
            for (int x = 0; x < 19; ++x) {
                if (img.pixel(x, y) == kRed)
                    continue;
                const bool a = isFrame(img, x, y);
                sameAsTen += a == isFrame(ten, x, y);
                sameAsTwenty += a == isFrame(twenty, x, y);
                ++total;
            }
        QCOMPARE(sameAsTen, total);
        QVERIFY(sameAsTwenty < total);
    }

    void startupFrame()
    {
        QImage img = box();
        drawPreviewStartupFrame(img);
        QImage ref = box();
        {
            QPainter p(&ref);
            DrawChartAxes(p, ref.rect(), QStringLiteral("℃"), 10.0f);
        }
        QCOMPARE(img, ref);
        QVERIFY(isFrame(img, 20, 5));
        QVERIFY(isFrame(img, 219, 131));
        // No curve.
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QVERIFY(img.pixel(x, y) != kRed);
    }

    void absurdValuesDoNotBreakTheDrawing()
    {
        ProfileTable table;
        table.SetCell(ProfileColumn::T3, 1, -10.0); // divides by zero
        table.SetCell(ProfileColumn::S1, 1, 1e30);
        QImage img = box();
        PreviewProfile(img, table, 1);
        QVERIFY(isFrame(img, 20, 5));
    }
};

QTEST_MAIN(TestProfilePreview)
#include "test_profile_preview.moc"
