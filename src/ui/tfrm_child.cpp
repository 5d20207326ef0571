#include "ui/tfrm_child.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>

#include "records/chart_analysis.h"
#include "ui/record_chart_frame.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/translated_message_box.h"

TfrmChild::TfrmChild(RecordWindows& windows, QWidget* parent)
    : QWidget(parent)
    , m_windows(&windows)
    , m_record(windows.now())
{
    setObjectName(QStringLiteral("frmChild"));
    m_frame = new RecordChartFrame(m_record, this);
    m_chart = m_frame->chartView();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frame);
    // With the cursor on, every mouse movement redraws the chart.
    connect(m_chart, &RecordChartView::cursorMoved, this, &TfrmChild::DrawChart);
    buildMenus();
    retranslateUi();
    DrawChart();
}

TfrmChild::~TfrmChild()
{
    if (m_windows)
        m_windows->recordWindowDestroyed(this);
}

QMdiSubWindow* TfrmChild::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool TfrmChild::isActiveWindow() const
{
    return m_windows && m_windows->activeRecordWindow() == this;
}

void TfrmChild::ShowHeader()
{
    if (m_windows)
        m_windows->showHeaderOf(this);
}

void TfrmChild::TakeSample(const StationStatus& status)
{
    if (!m_windows)
        return;
    if (!m_record.TakeSample(status, m_windows->samplingInterval()))
        return;
    journalChanges();
    if (isActiveWindow())
        m_windows->showNewSamples(this);
    DrawChart();
    if (m_record.isFull())
        m_windows->recordingFull(this);
}

void TfrmChild::DrawChart()
{
    if (!m_windows)
        return;
    m_chart->redraw(m_record.drawingInterval(m_windows->samplingInterval()), m_windows->chartStyle());
}

void TfrmChild::AddAnalysisDot()
{
    // The values of the last redraw with the cursor on; a fifth dot is refused silently.
    if (ChartAnalysis::AddAnalysisDot(m_record.dots, m_chart->analysisCursor()))
        DrawChart();
}

void TfrmChild::eraseLastAnalysisDot()
{
    ChartAnalysis::eraseLastDot(m_record.dots);
    DrawChart();
}

void TfrmChild::eraseAllAnalysisDots()
{
    m_record.dots.clear();
    DrawChart();
}

void TfrmChild::setNewFileCaption()
{
    setWindowTitle(tr("New file"));
}

void TfrmChild::requestClose()
{
    if (QMdiSubWindow* sub = subWindow())
        sub->close();
    else
        close();
}

void TfrmChild::closeEvent(QCloseEvent* e)
{
    if (m_windows && !m_windows->mayClose(this)) {
        e->ignore();
        TranslatedMessageBox::warning(this, tr("Can't close the child form,please stop recording first!"));
        return;
    }
    e->accept();
}

void TfrmChild::buildMenus()
{
    TfrmCommActions& a = m_windows->actions();
    m_close = new QAction(this);
    m_close->setObjectName(QStringLiteral("Close1"));
    connect(m_close, &QAction::triggered, this, &TfrmChild::requestClose);

    m_fileMenu = new QMenu(this);
    m_fileMenu->setObjectName(QStringLiteral("File1"));
    m_fileMenu->addAction(a.newfile);
    m_fileMenu->addAction(a.actn_Open);
    m_fileMenu->addAction(a.actnSave);
    m_fileMenu->addAction(a.actnSaveas);
    m_fileMenu->addAction(m_close);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(a.actnPreView);
    m_fileMenu->addAction(a.actnPrintShow);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(a.actnExit);

    m_recordMenu = new QMenu(this);
    m_recordMenu->setObjectName(QStringLiteral("Record1"));
    m_recordMenu->addAction(a.actnRecord);
    m_recordMenu->addSeparator();
    m_recordMenu->addAction(a.actnDeleRec);

    m_analysisMenu = new QMenu(this);
    m_analysisMenu->setObjectName(QStringLiteral("Analysis1"));
    m_analysisMenu->addAction(a.actnLineDot);
    m_analysisMenu->addSeparator();
    m_analysisMenu->addAction(a.actnAddAnaly);
    m_analysisMenu->addAction(a.actnErase);
    m_analysisMenu->addSeparator();
    m_analysisMenu->addAction(a.actnAEraseall);
    m_analysisMenu->addSeparator();
    m_lineMenu = m_analysisMenu->addMenu(QString());
    m_lineMenu->setObjectName(QStringLiteral("Line1"));
    m_lineMenu->addAction(a.actnLineW1);
    m_lineMenu->addAction(a.actnLineW2);
    m_lineMenu->addAction(a.actnLineW3);

    // The chart's right-button menu: the analysis items in the same order.
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_popupMenu->addAction(a.actnLineDot);
    m_popupMenu->addSeparator();
    m_popupMenu->addAction(a.actnAddAnaly);
    m_popupMenu->addAction(a.actnErase);
    m_popupMenu->addSeparator();
    m_popupMenu->addAction(a.actnAEraseall);
    m_popupMenu->addSeparator();
    m_popupLineMenu = m_popupMenu->addMenu(QString());
    m_popupLineMenu->setObjectName(QStringLiteral("PopupLine1"));
    m_popupLineMenu->addAction(a.actnLineW1);
    m_popupLineMenu->addAction(a.actnLineW2);
    m_popupLineMenu->addAction(a.actnLineW3);
    m_frame->setPopupMenu(m_popupMenu);
}

void TfrmChild::retranslateUi()
{
    m_fileMenu->setTitle(tr("File"));
    m_recordMenu->setTitle(tr("Record"));
    m_analysisMenu->setTitle(tr("Analysis"));
    m_lineMenu->setTitle(tr("Line"));
    m_popupLineMenu->setTitle(tr("Line"));
    m_close->setText(tr("Close"));
    m_close->setToolTip(tr("Close the current file"));
    m_close->setStatusTip(tr("Close the current file"));
}

void TfrmChild::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(e);
}
