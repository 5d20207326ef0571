#include "ui/record_windows.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTimer>

#include "link/station_link.h"
#include "records/header_display.h"
#include "records/record_file.h"
#include "ui/chart_analysis_commands.h"
#include "ui/operator_input_panel.h"
#include "ui/record_chart_view.h"
#include "ui/report_output.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_comm_actions.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

RecordWindows::RecordWindows(const RecordWindowsContext& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
    m_panel = new OperatorInputPanel;
    m_panel->setObjectName(QStringLiteral("OperatorInputPanel"));
    connect(m_panel, &OperatorInputPanel::fieldEdited, this, [this](OperatorField f) {
        // Each input writes its own field into the active record window's header.
        if (TfrmChild* w = activeRecordWindow()) {
            w->record().header.applyOperatorField(f, m_panel->inputs());
            w->journalChanges();
        }
    });

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("tsGrid1"));
    m_table->setModel(&m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (int c = 0; c < ProcessValuesModel::ColumnCount; ++c)
        if (const int w = ProcessValuesModel::columnWidth(c))
            m_table->setColumnWidth(c, w);
    m_table->setColumnHidden(ProcessValuesModel::DTdt, true);
    m_model.setChinese(UiLanguage::instance().isChinese());

    TfrmCommActions& a = *m_context.actions;
    connect(a.newfile, &QAction::triggered, this, [this] { newRecord(); });
    connect(a.actn_Open, &QAction::triggered, this, [this] {
        const QString path = chooseFile(FileDialog::Open);
        if (!path.isEmpty())
            openRecord(path);
    });
    connect(a.actnRecord, &QAction::triggered, this, [this](bool on) { switchRecord(on); });
    connect(a.actnRecord, &QAction::toggled, this, [this] { updateActionStates(); });
    connect(a.actnDeleRec, &QAction::triggered, this, [this] { deleteRecording(); });
    connect(a.actnSave, &QAction::triggered, this, [this] { save(); });
    connect(a.actnSaveas, &QAction::triggered, this, [this] { saveAs(); });
    // The line width applies at once to the active chart.
    for (QAction* w : {a.actnLineW1, a.actnLineW2, a.actnLineW3})
        connect(w, &QAction::triggered, this, [this] {
            if (TfrmChild* c = activeRecordWindow())
                c->DrawChart();
        });
    m_analysis = new ChartAnalysisCommands(
        a, [this] { return activeRecordWindow(); }, [this] { return !m_windows.isEmpty(); }, this);
    m_reports = new ReportOutput(*this, m_context.dialogParent, this);
    connect(a.actnPreView, &QAction::triggered, this, [this] { m_reports->preview(activeRecordWindow()); });
    connect(a.actnPrint, &QAction::triggered, this, [this] { m_reports->print(activeRecordWindow()); });
    connect(a.actnPrintShow, &QAction::triggered, this, [this] { m_reports->printWithDialog(activeRecordWindow()); });
    if (m_context.mdiArea)
        connect(m_context.mdiArea, &QMdiArea::subWindowActivated, this, &RecordWindows::onActivated);
    updateActionStates();
}

RecordWindows::~RecordWindows()
{
    for (TfrmChild* w : m_windows)
        w->disconnect(this);
    // Pages the main window never took are ours to delete.
    if (m_panel && !m_panel->parent())
        delete m_panel;
    if (m_table && !m_table->parent())
        delete m_table;
    else if (m_table)
        m_table->setModel(nullptr);
}

TfrmChild* RecordWindows::activeRecordWindow() const
{
    // The current sub-window, also while the program itself is not the active application.
    QMdiSubWindow* sub = m_context.mdiArea ? m_context.mdiArea->currentSubWindow() : nullptr;
    return sub ? qobject_cast<TfrmChild*>(sub->widget()) : nullptr;
}

QList<TfrmChild*> RecordWindows::windows() const
{
    return m_windows;
}

TfrmChild* RecordWindows::makeRecordWindow()
{
    auto* w = new TfrmChild(*this);
    m_windows.append(w);
    if (m_context.addRecordWindow) {
        m_context.addRecordWindow(w);
    } else {
        QMdiSubWindow* sub = m_context.mdiArea->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->showMaximized();
    }
    return w;
}

TfrmChild* RecordWindows::newRecord()
{
    if (m_target)
        return nullptr;
    TfrmChild* w = makeRecordWindow();
    w->record().isNewRecord = true;
    m_target = w;
    if (m_context.setRecordingTarget)
        m_context.setRecordingTarget(w);
    w->setNewFileCaption();
    w->DrawChart();
    m_context.link->setHeaderRefreshCount(1);
    updateActionStates();
    return w;
}

TfrmChild* RecordWindows::openRecord(const QString& path)
{
    TfrmChild* w = makeRecordWindow();
    if (!LoadRecord(w->record(), path)) {
        TranslatedMessageBox::error(m_context.dialogParent, recordFileErrorText());
        if (!offerSalvage(w, path)) {
            w->requestClose();
            return nullptr;
        }
        return w;
    }
    if (activeRecordWindow() == w)
        m_model.fill(w->record().samples);
    w->DrawChart();
    if (m_context.showOperatorInputPage)
        m_context.showOperatorInputPage();
    m_panel->drawMiniProfile(w->record().header, chartStyle().unitText(w->record().isCelsius()));
    w->record().savedOrLoaded = true;
    showHeaderOf(w);
    w->setWindowTitle(path);
    updateActionStates();
    return w;
}

void RecordWindows::switchRecord(bool on)
{
    TfrmCommActions& a = *m_context.actions;
    if (!m_target) {
        a.actnRecord->setChecked(false);
        return;
    }
    if (!on) {
        if (m_context.setStatusText)
            m_context.setStatusText(QString());
        updateActionStates();
        return;
    }
    StationLink& link = *m_context.link;
    m_target->record().startRecording(link.statusImage(), link.samplingInterval());
    m_target->startJournal();
    if (activeRecordWindow() == m_target)
        m_model.clear();
    link.recordingSwitchedOn();
    if (m_context.setStatusText)
        m_context.setStatusText(QStringLiteral("recording..."));
    m_target->DrawChart();
    updateActionStates();
}

void RecordWindows::recordOff()
{
    TfrmCommActions& a = *m_context.actions;
    if (a.actnRecord->isChecked())
        a.actnRecord->setChecked(false);
    if (m_context.setStatusText)
        m_context.setStatusText(QString());
}

void RecordWindows::deleteRecording()
{
    if (!m_target)
        return;
    m_target->record().deleteRecording();
    // What was recorded is discarded; a recording that goes on starts a journal afresh.
    m_target->discardJournal();
    if (m_context.actions->actnRecord->isChecked())
        m_target->startJournal();
    if (activeRecordWindow() == m_target)
        m_model.clear();
    m_target->DrawChart();
}

bool RecordWindows::save()
{
    if (!m_target)
        return false;
    m_saving = true;
    TfrmChild* w = m_target;
    QString name = w->record().fileName;
    if (name.isEmpty() || !QFileInfo::exists(name)) {
        name = chooseFile(FileDialog::Save);
        if (name.isEmpty()) {
            m_saving = false;
            return false;
        }
    }
    const bool ok = saveWindow(w, name);
    if (ok) {
        w->record().savedOrLoaded = true;
        w->discardJournal();
        recordOff();
        m_target = nullptr;
        if (m_context.setRecordingTarget)
            m_context.setRecordingTarget(nullptr);
    }
    m_saving = false;
    updateActionStates();
    return ok;
}

bool RecordWindows::saveAs()
{
    m_saving = true;
    const QString path = chooseFile(FileDialog::Save);
    bool ok = false;
    if (!path.isEmpty())
        if (TfrmChild* w = activeRecordWindow())
            ok = saveWindow(w, path);
    m_saving = false;
    return ok;
}

bool RecordWindows::saveWindow(TfrmChild* w, const QString& path)
{
    QString error;
    if (!SaveRecord(w->record(), path, m_panel->inputs(), now(), &error)) {
        TranslatedMessageBox::error(m_context.dialogParent, error);
        return false;
    }
    w->setWindowTitle(QStringLiteral("Tamsel --") + path);
    // Saved: the journal is no longer needed, unless the recording goes on.
    if (w != m_target || !m_context.actions->actnRecord->isChecked())
        w->discardJournal();
    return true;
}

QString RecordWindows::fileFolder() const
{
    return m_context.fileFolder.isEmpty() ? QDir::current().filePath(QStringLiteral("file")) : m_context.fileFolder;
}

QString RecordWindows::chooseFile(FileDialog kind)
{
    if (m_chooseFile)
        return m_chooseFile(kind, fileFolder());
    QFileDialog dialog(m_context.dialogParent);
    dialog.setNameFilter(tr("IR File (*.sld)"));
    dialog.setDefaultSuffix(QStringLiteral("sld"));
    dialog.setDirectory(fileFolder());
    if (kind == FileDialog::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void RecordWindows::applyLanguage()
{
    for (int i = m_windows.size() - 1; i >= 0; --i)
        m_windows[i]->DrawChart();
    if (TfrmChild* w = activeRecordWindow()) {
        showHeaderOf(w);
        m_panel->drawMiniProfile(w->record().header, chartStyle().unitText(w->record().isCelsius()));
    }
    if (m_target)
        m_target->setNewFileCaption();
    m_model.setChinese(UiLanguage::instance().isChinese());
}

void RecordWindows::updateActionStates()
{
    TfrmCommActions& a = *m_context.actions;
    const bool target = !m_target.isNull();
    a.newfile->setEnabled(!target);
    a.actn_Open->setEnabled(!a.actnRecord->isChecked());
    a.actnRecord->setEnabled(target);
    a.actnDeleRec->setEnabled(target);
    a.actnSave->setEnabled(activeRecordWindow() != nullptr);
    a.actnSaveas->setEnabled(true);
    m_analysis->updateActionStates();
    for (QAction* print : {a.actnPreView, a.actnPrint, a.actnPrintShow})
        print->setEnabled(!m_windows.isEmpty());
}

float RecordWindows::samplingInterval() const
{
    return m_context.link->samplingInterval();
}

ChartStyle RecordWindows::chartStyle() const
{
    ChartStyle style;
    style.chinese = UiLanguage::instance().isChinese();
    style.celsiusText = m_context.link->unitTexts().celsius;
    style.fahrenheitText = m_context.link->unitTexts().fahrenheit;
    const TfrmCommActions& a = *m_context.actions;
    style.lineWidth = a.actnLineW3->isChecked() ? 3 : a.actnLineW2->isChecked() ? 2 : 1;
    return style;
}

double RecordWindows::now() const
{
    return OleDate::fromDateTime(QDateTime::currentDateTime());
}

bool RecordWindows::mayClose(TfrmChild* w)
{
    if (w != m_target || (m_context.closingAfterImport && m_context.closingAfterImport()))
        return true;
    if (m_context.actions->actnRecord->isChecked())
        return false;
    // Closed without saving: the operator discards the recording.
    w->discardJournal();
    m_target = nullptr;
    if (m_context.setRecordingTarget)
        m_context.setRecordingTarget(nullptr);
    updateActionStates();
    return true;
}

void RecordWindows::recordWindowDestroyed(TfrmChild* w)
{
    m_windows.removeAll(w);
    if (m_target.data() == w) {
        m_target = nullptr;
        if (m_context.setRecordingTarget)
            m_context.setRecordingTarget(nullptr);
    }
    m_model.clear();
    // The dying window may still be the frame's current one; look again once it is gone.
    QTimer::singleShot(0, this, &RecordWindows::updateActionStates);
}

void RecordWindows::showHeaderOf(TfrmChild* w)
{
    if (m_panel)
        m_panel->showHeader(HeaderDisplay::of(w->record(), UiLanguage::instance().isChinese()));
}

void RecordWindows::showNewSamples(TfrmChild* w)
{
    // Only the rows not shown yet; then the newest rows into view.
    if (m_model.extend(w->record().samples) && m_table)
        m_table->scrollToBottom();
}

void RecordWindows::recordingFull(TfrmChild* w)
{
    if (w != m_target || !m_context.actions->actnRecord->isChecked())
        return;
    recordOff();
    // Told after the supervision tick that took the last sample has finished.
    QTimer::singleShot(0, this, [this] {
        TranslatedMessageBox::information(m_context.dialogParent,
            tr("The recording has reached 65535 samples, the most a record file can hold. "
               "Recording has stopped; every sample is kept."));
    });
}

void RecordWindows::onActivated(QMdiSubWindow* sub)
{
    auto* w = sub ? qobject_cast<TfrmChild*>(sub->widget()) : nullptr;
    if (w && m_windows.contains(w)) {
        m_panel->drawMiniProfile(w->record().header, chartStyle().unitText(w->record().isCelsius()));
        if (!m_saving)
            showHeaderOf(w);
        m_model.fill(w->record().samples);
    }
    updateActionStates();
}
