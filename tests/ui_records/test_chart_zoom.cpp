#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "link/station_link.h"
#include "records/record_chart.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "ui/record_chart_frame.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm_actions.h"

// The analysis cursor, the dots and the zooms on real record windows: mouse events go to
// the chart's paint surface, the commands through the main window's actions.
class TestChartZoom : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void actionsEnabledByWindowsAndCursor();
    void cursorSnapsAndStaysOutOfTheChartImage();
    void dotsSurviveSaveAndOpen();
    void staleCursorOfAWindowNeverShown();
    void panMovesTheScrollBarsByTheDrag();
    void manualZoomByClicksAndTheModeToggles();
    void zoomRectangleScrollsToWhereItStarted();
    void emptyZoomRectangleOnlyReleasesThePanel();
    void zoomedChartOnScreenEqualsTheWholeStretch();
    void lineWidthRedrawsTheActiveChart();

private:
    // A window recording at 1.5 s with Tc 100, 101, ... and Tb 50, 51, ...
    TfrmChild* recordWindow(int samples)
    {
        m_link->setSamplingInterval(1.5f);
        TfrmChild* w = m_windows->newRecord();
        for (int i = 0; i < samples; ++i) {
            StationStatus s;
            s.setWord(StationStatus::Word::Tc, uint16_t(100 + i));
            s.setWord(StationStatus::Word::Tb, uint16_t(50 + i));
            s.setCelsius(true);
            w->record().TakeSample(s, 1.5f);
        }
        w->DrawChart();
        return w;
    }
    QString saveTarget()
    {
        const QString path = m_dir.filePath("run.sld");
        m_windows->setFileChooser([path](RecordWindows::FileDialog, const QString&) { return path; });
        m_actions->actnSave->trigger();
        return path;
    }
    static QImage surfaceOf(TfrmChild* w) { return w->chartView()->grab().toImage(); }
    static QScrollBar* hbar(TfrmChild* w) { return w->chartFrame()->horizontalScrollBar(); }
    static QScrollBar* vbar(TfrmChild* w) { return w->chartFrame()->verticalScrollBar(); }

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_frame;
    QMdiArea* m_area = nullptr;
    TfrmCommActions* m_actions = nullptr;
    FakePort m_port;
    FakeClock m_clock;
    FakeWaits m_waits;
    std::unique_ptr<StationLink> m_link;
    std::unique_ptr<RecordWindows> m_windows;
    RecordingTarget* m_target = nullptr;
};

void TestChartZoom::init()
{
    m_frame = std::make_unique<QWidget>();
    m_frame->resize(1100, 800);
    m_area = new QMdiArea(m_frame.get());
    auto* layout = new QVBoxLayout(m_frame.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_area);
    m_actions = new TfrmCommActions(m_frame.get());
    m_link = std::make_unique<StationLink>(m_port, m_clock);
    m_link->setWaits(&m_waits);
    m_link->setRecordingTargetProvider([this] { return m_target; });
    RecordWindowsContext c;
    c.actions = m_actions;
    c.link = m_link.get();
    c.mdiArea = m_area;
    c.dialogParent = m_frame.get();
    c.setRecordingTarget = [this](RecordingTarget* t) { m_target = t; };
    c.fileFolder = m_dir.path();
    m_windows = std::make_unique<RecordWindows>(c);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestChartZoom::cleanup()
{
    m_frame.reset();
    m_windows.reset();
    m_link.reset();
    m_target = nullptr;
}

void TestChartZoom::actionsEnabledByWindowsAndCursor()
{
    TfrmCommActions& a = *m_actions;
    const QList<QAction*> byWindows{a.actnLineDot, a.actnOrignalSize, a.actnManlZoom, a.actnShitWindow, a.actnFitTo};
    const QList<QAction*> byCursor{a.actnAddAnaly, a.actnErase, a.actnAEraseall};
    for (QAction* act : byWindows + byCursor)
        QVERIFY2(!act->isEnabled(), qPrintable(act->objectName()));
    TfrmChild* w = recordWindow(3);
    for (QAction* act : byWindows)
        QVERIFY2(act->isEnabled(), qPrintable(act->objectName()));
    for (QAction* act : byCursor)
        QVERIFY(!act->isEnabled());
    a.actnLineDot->trigger();
    for (QAction* act : byCursor)
        QVERIFY(act->isEnabled());
    QVERIFY(w->chartView()->analysisCursor().on);

    // The chart's right-button menu holds the analysis items as the Analysis menu does.
    QMenu* popup = w->chartView()->popupMenu();
    QVERIFY(popup);
    QCOMPARE(popup->actions().size(), w->analysisMenu()->actions().size());
    for (int i = 0; i < popup->actions().size(); ++i) {
        QAction* mine = popup->actions()[i];
        QAction* menus = w->analysisMenu()->actions()[i];
        QCOMPARE(mine->isSeparator(), menus->isSeparator());
        if (mine->menu())
            QCOMPARE(mine->menu()->actions(), menus->menu()->actions());
        else if (!mine->isSeparator())
            QCOMPARE(mine, menus);
    }
}

void TestChartZoom::cursorSnapsAndStaysOutOfTheChartImage()
{
    TfrmChild* w = recordWindow(10);
    m_actions->actnOrignalSize->trigger(); // one surface pixel per image pixel
    QCOMPARE(w->chartView()->size(), QSize(1024, 768));
    m_actions->actnLineDot->trigger();
    QTest::mouseMove(w->chartView(), QPoint(65 + 18, 300)); // 4.5 s
    const RecordChart::Cursor& c = w->chartView()->analysisCursor();
    QCOMPARE(c.time, 4); // sample 3 at 4.5 s, shown at the even second
    QCOMPARE(c.tc, 103.0f);
    QCOMPARE(c.tb, 53.0f);
    QCOMPARE(c.x, 81);

    const QColor black(Qt::black);
    const QColor face = m_windows->chartStyle().buttonFace;
    QImage surface = surfaceOf(w);
    QCOMPARE(surface.pixelColor(81, 400), black);
    QCOMPARE(surface.pixelColor(130, 87), face);
    const QImage& chart = w->chartView()->chartImage();
    QVERIFY(chart.pixelColor(81, 400) != black);
    QVERIFY(chart.pixelColor(130, 87) != face);

    // Kept as a dot, it goes into the chart image.
    m_actions->actnAddAnaly->trigger();
    QCOMPARE(w->record().dots, (QList<AnalysisDot>{{4, 103, 53}}));
    QCOMPARE(w->chartView()->chartImage().pixelColor(81, 400), black);

    // Switched off: the surface shows the image alone again.
    m_actions->actnLineDot->trigger();
    QTRY_COMPARE(surfaceOf(w).pixelColor(130, 87), QColor(Qt::white));
}

void TestChartZoom::dotsSurviveSaveAndOpen()
{
    TfrmChild* w = recordWindow(40);
    m_actions->actnOrignalSize->trigger();
    m_actions->actnLineDot->trigger();
    for (int x : {65 + 4 * 30, 65 + 4 * 6, 65 + 4 * 15}) {
        QTest::mouseMove(w->chartView(), QPoint(x, 300));
        m_actions->actnAddAnaly->trigger();
    }
    const QList<AnalysisDot> kept{{6, 104, 54}, {15, 110, 60}, {30, 120, 70}};
    QCOMPARE(w->record().dots, kept);
    const QString path = saveTarget();
    TfrmChild* again = m_windows->openRecord(path);
    QVERIFY(again);
    QCOMPARE(again->record().dots, kept);

    m_actions->actnErase->trigger(); // on the window now active
    QCOMPARE(again->record().dots, kept.mid(0, 2));
    m_actions->actnAEraseall->trigger();
    QVERIFY(again->record().dots.isEmpty());
    QCOMPARE(w->record().dots, kept);
}

void TestChartZoom::staleCursorOfAWindowNeverShown()
{
    TfrmChild* w = recordWindow(40);
    m_actions->actnLineDot->trigger();
    QTest::mouseMove(w->chartView(), QPoint(300, 300));
    QVERIFY(w->chartView()->analysisCursor().tc != 0);
    TfrmChild* other = m_windows->openRecord(saveTarget());
    QVERIFY(other);
    QVERIFY(m_actions->actnLineDot->isChecked()); // the program's, not the window's
    QVERIFY(!other->chartView()->analysisCursor().on);
    m_actions->actnAddAnaly->trigger();
    QCOMPARE(other->record().dots, (QList<AnalysisDot>{{0, 0, 0}}));
}

void TestChartZoom::panMovesTheScrollBarsByTheDrag()
{
    TfrmChild* w = recordWindow(10);
    RecordChartFrame* frame = w->chartFrame();
    frame->setPanelSize(QSize(3000, 2250));
    hbar(w)->setValue(100);
    vbar(w)->setValue(100);
    QCOMPARE(frame->panel()->pos(), QPoint(-100, -100));
    QWidget* view = w->chartView();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(500, 400));
    QVERIFY(frame->panning());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ClosedHandCursor);
    // 50 left and 20 up: the chart follows the mouse.
    QTest::mouseMove(view, QPoint(450, 380));
    QCOMPARE(hbar(w)->value(), 150);
    QCOMPARE(vbar(w)->value(), 120);
    // 40 back to the right on the screen, which in the moved panel is x 540.
    QTest::mouseMove(view, QPoint(540, 400));
    QCOMPARE(hbar(w)->value(), 110);
    QCOMPARE(vbar(w)->value(), 120);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(540, 400));
    QVERIFY(!frame->panning());
    QVERIFY(!QApplication::overrideCursor());
    // Without the button the mouse only moves the cursor.
    QTest::mouseMove(view, QPoint(300, 300));
    QCOMPARE(hbar(w)->value(), 110);
}

void TestChartZoom::manualZoomByClicksAndTheModeToggles()
{
    TfrmChild* w = recordWindow(10);
    RecordChartFrame* frame = w->chartFrame();
    QWidget* view = w->chartView();
    const QSize fitted = frame->panel()->size();
    QCOMPARE(fitted, frame->viewport()->size());

    m_actions->actnManlZoom->trigger();
    QCOMPARE(frame->zoomMode(), ChartAnalysis::ManualZoom);
    QVERIFY(!frame->fitsWindow());
    QCOMPARE(frame->panel()->size(), fitted); // keeps its size until the first click
    QVERIFY(!w->chartView()->popupMenu());    // the right button zooms out now
    QCOMPARE(view->cursor().shape(), Qt::SizeAllCursor);

    const int width = fitted.width();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const int wider = int(std::nearbyint(width * 1.1));
    QCOMPARE(frame->panel()->size(), ChartAnalysis::panelSizeFor(wider));
    QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(frame->panel()->width(), int(std::nearbyint(wider * 0.9)));
    QTest::mouseClick(view, Qt::MiddleButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(frame->panel()->width(), int(std::nearbyint(wider * 0.9)));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    const QSize zoomed = frame->panel()->size();

    // The other mode switches this one off.
    m_actions->actnShitWindow->trigger();
    QVERIFY(!m_actions->actnManlZoom->isChecked());
    QCOMPARE(frame->zoomMode(), ChartAnalysis::ZoomToRectangle);
    QCOMPARE(view->cursor().shape(), Qt::DragMoveCursor);
    // Switched off, the zoom stays; the context menu and the cursor come back.
    m_actions->actnShitWindow->trigger();
    QCOMPARE(frame->zoomMode(), ChartAnalysis::Pan);
    QCOMPARE(frame->panel()->size(), zoomed);
    QVERIFY(w->chartView()->popupMenu());
    QCOMPARE(view->cursor().shape(), Qt::ArrowCursor);
    // "Fit to window" gives the frame's size back.
    m_actions->actnFitTo->trigger();
    QVERIFY(frame->fitsWindow());
    QTRY_COMPARE(frame->panel()->size(), frame->viewport()->size());
    QCOMPARE(frame->panel()->size(), fitted);
    m_actions->actnOrignalSize->trigger();
    QCOMPARE(frame->panel()->size(), QSize(1024, 768));
}

void TestChartZoom::zoomRectangleScrollsToWhereItStarted()
{
    TfrmChild* w = recordWindow(10);
    RecordChartFrame* frame = w->chartFrame();
    QWidget* view = w->chartView();
    const QSize surface = view->size();
    m_actions->actnShitWindow->trigger();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseMove(view, QPoint(500, 320));
    QCOMPARE(w->chartView()->focusRect(), QRect(QPoint(300, 200), QPoint(500, 320)));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(500, 320));
    QVERIFY(!w->chartView()->focusRect());

    const double f = std::max(surface.width() / 200.0, surface.height() / 120.0);
    const int width = std::min(int(std::nearbyint(surface.width() * f)), 4096);
    QCOMPARE(frame->panel()->size(), ChartAnalysis::panelSizeFor(width));
    QCOMPARE(hbar(w)->value(), int(std::nearbyint(hbar(w)->maximum() * (300.0 / surface.width()))));
    QCOMPARE(vbar(w)->value(), int(std::nearbyint(vbar(w)->maximum() * (200.0 / surface.height()))));
    QVERIFY(hbar(w)->value() > 0 && vbar(w)->value() > 0);
}

void TestChartZoom::emptyZoomRectangleOnlyReleasesThePanel()
{
    TfrmChild* w = recordWindow(10);
    RecordChartFrame* frame = w->chartFrame();
    QWidget* view = w->chartView();
    m_actions->actnShitWindow->trigger();
    m_actions->actnFitTo->trigger(); // the mode is on, the panel fills the frame again
    QVERIFY(frame->fitsWindow());
    const QSize fitted = frame->panel()->size();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 260));
    QVERIFY(!frame->fitsWindow());
    QCOMPARE(frame->panel()->size(), fitted);
    QCOMPARE(hbar(w)->value(), 0);
}

void TestChartZoom::zoomedChartOnScreenEqualsTheWholeStretch()
{
    TfrmChild* w = recordWindow(200);
    w->record().dots.append({60, 160, 110});
    RecordChartFrame* frame = w->chartFrame();
    frame->setPanelSize(ChartAnalysis::panelSizeFor(4504));
    hbar(w)->setValue(1333);
    vbar(w)->setValue(777);
    m_actions->actnLineDot->trigger();
    QWidget* view = w->chartView();
    QTest::mouseMove(view, QPoint(1333 + 300, 777 + 200));
    QVERIFY(w->chartView()->analysisCursor().x > 1333);
    // What the frame shows is the part of the whole stretched surface under it.
    const QImage screen = frame->viewport()->grab().toImage();
    const QImage whole = view->grab().toImage();
    QCOMPARE(whole.size(), QSize(4504, 3378));
    QVERIFY(screen == whole.copy(QRect(QPoint(1333, 777), screen.size())).convertToFormat(screen.format()));
}

void TestChartZoom::lineWidthRedrawsTheActiveChart()
{
    TfrmChild* w = recordWindow(60);
    // Red pixels in one column across the Tc curve, which rises 2.15 pixels a sample.
    const auto redInColumn = [w] {
        const QImage& img = w->chartView()->chartImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            n += img.pixelColor(65 + 4 * 30 + 2, y) == QColor(255, 0, 0);
        return n;
    };
    const int small = redInColumn();
    m_actions->actnLineW3->trigger();
    QVERIFY(m_actions->actnLineW3->isChecked() && !m_actions->actnLineW1->isChecked());
    QCOMPARE(redInColumn(), small + 2);
    m_actions->actnLineW1->trigger();
    QCOMPARE(redInColumn(), small);
}

QTEST_MAIN(TestChartZoom)
#include "test_chart_zoom.moc"
