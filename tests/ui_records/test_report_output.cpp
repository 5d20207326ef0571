#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "link/station_link.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fake_waits.h"
#include "ui/modal_watcher.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"
#include "ui/report_output.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/ui_language.h"

// Preview, Print and Print... through the real record windows, with a printer that writes
// PDF files, so no printer is needed.
class TestReportOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printActionsNeedARecordWindow();
    void printWritesTheReportInTheWindowsLanguage();
    void printDialogPrintsOnlyOnOk();
    void previewShowsThePageAndSavesItAsPdf();
    void missingTemplateKeepsTheWindowsTemplate();
    void printerFailureIsReported();
    void pictureIgnoresZoomAndCursor();

private:
    TfrmChild* recordWithADot();
    void printTo(const QString& path);
    static QString pdfText(const QString& path);

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

void TestReportOutput::init()
{
    m_frame = std::make_unique<QWidget>();
    m_frame->resize(1200, 900);
    m_area = new QMdiArea(m_frame.get());
    auto* layout = new QVBoxLayout(m_frame.get());
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
    m_windows->reportOutput().setTemplateFolder(QStringLiteral(TAMSEL_BIN_DIR "/data"));
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
}

void TestReportOutput::cleanup()
{
    UiLanguage::instance().apply(Language::English);
    m_frame.reset();
    m_windows.reset();
    m_link.reset();
    m_target = nullptr;
}

TfrmChild* TestReportOutput::recordWithADot()
{
    TfrmChild* w = m_windows->newRecord();
    Recording& r = w->record();
    r.header.operatorName = "Wang";
    r.header.componentName = "QFP100";
    r.header.desoldering = 1;
    r.header.T3 = 230;
    for (int i = 0; i < 120; ++i) {
        RecordSample s;
        s.time = float(i);
        s.tc = float(25 + i);
        s.tb = float(25 + i / 2);
        r.samples.append(s);
    }
    r.dots = {{100, 125, 75}};
    w->DrawChart();
    return w;
}

// Every command prints to a PDF file.
void TestReportOutput::printTo(const QString& path)
{
    m_windows->reportOutput().setPrinterFactory([path] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    });
}

QString TestReportOutput::pdfText(const QString& path)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

void TestReportOutput::printActionsNeedARecordWindow()
{
    const QList<QAction*> print = {m_actions->actnPreView, m_actions->actnPrint, m_actions->actnPrintShow};
    for (QAction* a : print)
        QVERIFY(!a->isEnabled());
    TfrmChild* w = m_windows->newRecord();
    for (QAction* a : print)
        QVERIFY(a->isEnabled());
    // Preview and Print... in the window's File menu, Preview and Print in the toolbar.
    QVERIFY(w->fileMenu()->actions().contains(m_actions->actnPreView));
    QVERIFY(w->fileMenu()->actions().contains(m_actions->actnPrintShow));
    QCOMPARE(m_actions->actnPreView->text(), QStringLiteral("Preview"));
    QCOMPARE(m_actions->actnPrint->statusTip(), QStringLiteral("prints the document"));
    w->requestClose();
    QTRY_VERIFY(!m_actions->actnPrint->isEnabled());
    QVERIFY(!m_actions->actnPreView->isEnabled() && !m_actions->actnPrintShow->isEnabled());
}

void TestReportOutput::printWritesTheReportInTheWindowsLanguage()
{
    ModalWatcher watcher;
    recordWithADot();
    const QString english = m_dir.filePath("en.pdf");
    printTo(english);
    m_actions->actnPrint->trigger();
    QString text = pdfText(english);
    QVERIFY2(text.contains(QStringLiteral("Desoldering")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("QFP100")));
    QVERIFY(text.contains(QStringLiteral("Wang")));
    QVERIFY(watcher.seen.isEmpty());

    QVERIFY(UiLanguage::instance().apply(Language::Chinese));
    const QString chinese = m_dir.filePath("zh.pdf");
    printTo(chinese);
    m_actions->actnPrint->trigger();
    text = pdfText(chinese);
    QVERIFY2(text.contains(QStringLiteral("拆焊")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("QFP100")));
    QVERIFY(watcher.seen.isEmpty());
}

void TestReportOutput::printDialogPrintsOnlyOnOk()
{
    ModalWatcher watcher;
    recordWithADot();
    const QString path = m_dir.filePath("dialog.pdf");
    printTo(path);
    m_actions->actnPrintShow->trigger(); // the watcher cancels the dialog
    QCOMPARE(watcher.seen, QStringList{QStringLiteral("ReportPrintDialog")});
    QVERIFY(!QFile::exists(path));

    watcher.onDialog = [](QDialog* d) {
        if (!qobject_cast<QPrintDialog*>(d))
            return false;
        d->accept();
        return true;
    };
    m_actions->actnPrintShow->trigger();
    QVERIFY(pdfText(path).contains(QStringLiteral("QFP100")));
}

void TestReportOutput::previewShowsThePageAndSavesItAsPdf()
{
    ModalWatcher watcher;
    recordWithADot();
    const QString path = m_dir.filePath("preview.pdf");
    const QString badPath = m_dir.filePath("no/such/folder/preview.pdf");
    m_windows->reportOutput().setPdfChooser([&] { return QFile::exists(path) ? badPath : path; });
    printTo(m_dir.filePath("not-printed.pdf"));
    int pages = -1;
    int visits = 0;
    watcher.onDialog = [&](QDialog* d) {
        if (!qobject_cast<QPrintPreviewDialog*>(d))
            return false;
        if (visits++ > 0) {
            d->reject();
            return true;
        }
        if (auto* view = d->findChild<QPrintPreviewWidget*>())
            pages = view->pageCount();
        // From the dialog's own loop, so the watcher can answer the message box: saved once,
        // then into a folder that does not exist.
        if (auto* save = d->findChild<QAction*>(QStringLiteral("actnSavePdf"))) {
            QTimer::singleShot(0, save, &QAction::trigger);
            QTimer::singleShot(0, save, &QAction::trigger);
        }
        return true;
    };
    m_actions->actnPreView->trigger();
    QCOMPARE(watcher.seen.first(), QStringLiteral("ReportPreview"));
    QCOMPARE(watcher.seen.size(), 3);
    QVERIFY2(watcher.seen[1].contains(badPath), qPrintable(watcher.seen[1]));
    QCOMPARE(pages, 1);
    QVERIFY(pdfText(path).contains(QStringLiteral("QFP100")));
    QVERIFY(!QFile::exists(m_dir.filePath("not-printed.pdf")));
}

void TestReportOutput::missingTemplateKeepsTheWindowsTemplate()
{
    ModalWatcher watcher;
    TfrmChild* w = recordWithADot();
    QTemporaryDir empty;
    ReportOutput& out = m_windows->reportOutput();
    out.setTemplateFolder(empty.path());
    printTo(m_dir.filePath("none.pdf"));
    // No template yet: nothing is printed and nothing is said.
    m_actions->actnPrint->trigger();
    QVERIFY(!QFile::exists(m_dir.filePath("none.pdf")));
    QVERIFY(!w->reportEngine().hasTemplate());

    out.setTemplateFolder(QStringLiteral(TAMSEL_BIN_DIR "/data"));
    printTo(m_dir.filePath("first.pdf"));
    m_actions->actnPrint->trigger();
    out.setTemplateFolder(empty.path());
    printTo(m_dir.filePath("kept.pdf"));
    m_actions->actnPrint->trigger();
    QVERIFY(pdfText(m_dir.filePath("kept.pdf")).contains(QStringLiteral("QFP100")));
    QVERIFY(watcher.seen.isEmpty());
}

void TestReportOutput::printerFailureIsReported()
{
    ModalWatcher watcher;
    recordWithADot();
    const QString path = m_dir.filePath("no/such/folder/r.pdf");
    printTo(path);
    m_actions->actnPrint->trigger();
    QTRY_COMPARE(watcher.seen.size(), 1);
    QVERIFY2(watcher.seen.first().contains(path), qPrintable(watcher.seen.first()));
}

void TestReportOutput::pictureIgnoresZoomAndCursor()
{
    TfrmChild* w = recordWithADot();
    RecordChartView* view = w->chartView();
    const QImage before = ReportOutput::reportPicture(w);
    QCOMPARE(before.size(), QSize(800, 600));

    // The window smaller than the image, the cursor on and standing at 50 s.
    w->subWindow()->showNormal();
    w->subWindow()->resize(700, 500);
    QTRY_VERIFY(view->width() < 1024);
    view->setCursorOn(true);
    const double sx = 1024.0 / view->width();
    const int cursorX = qRound((65 + 50 * 4) / sx);
    QTest::mouseMove(view, QPoint(cursorX, view->height() / 2));
    const QImage screen = view->grab().toImage();
    QCOMPARE(screen.pixelColor(view->analysisCursor().x, view->height() / 2), QColor(Qt::black));

    const QImage picture = ReportOutput::reportPicture(w);
    QCOMPARE(picture, before);
    // In the picture: the dot's line at 100 s, nothing at the cursor's 50 s.
    const int y = 300;
    auto darkest = [&](double imageX) {
        const int x = qRound(imageX * 800.0 / 1024.0);
        int g = 255;
        for (int dx = -1; dx <= 1; ++dx)
            g = qMin(g, qGray(picture.pixel(x + dx, y)));
        return g;
    };
    QVERIFY(darkest(65 + 100 * 4) < 128);
    QCOMPARE(darkest(65 + 50 * 4), 255);
}

QTEST_MAIN(TestReportOutput)
#include "test_report_output.moc"
