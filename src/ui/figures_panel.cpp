#include "ui/figures_panel.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "records/figure_texts.h"
#include "shell/ini_file.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/tfrm_process_window.h"
#include "ui/ui_language.h"

namespace {

const QColor kPassColour(0, 128, 0);
const QColor kFailColour(255, 0, 0);

// The rows of the table: the judged figures, with the time of the peak after the peak.
constexpr int kTimeOfPeakRow = 1;

} // namespace

FiguresPanel::FiguresPanel(RecordWindows& windows, QMdiArea* mdiArea, const QString& settingsFile, QWidget* parent)
    : QWidget(parent)
    , m_windows(&windows)
    , m_settingsFile(settingsFile)
{
    setObjectName(QStringLiteral("FiguresPanel"));
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("labVerdict"));
    QFont bold = m_verdict->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_verdict->setFont(bold);
    m_basis = new QLabel(this);
    m_basis->setObjectName(QStringLiteral("labFigureBasis"));
    m_windowButton = new QPushButton(this);
    m_windowButton->setObjectName(QStringLiteral("btnProcessWindow"));
    connect(m_windowButton, &QPushButton::clicked, this, &FiguresPanel::editProcessWindow);

    m_table = new QTableWidget(RowCount, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("tsGridFigures"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(FigureColumn, QHeaderView::Stretch);
    for (int c = TcColumn; c < ColumnCount; ++c)
        m_table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == FigureColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }

    auto* top = new QHBoxLayout;
    top->addWidget(m_verdict);
    top->addSpacing(16);
    top->addWidget(m_basis, 1);
    top->addWidget(m_windowButton);
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(2, 2, 2, 2);
    col->addLayout(top);
    col->addWidget(m_table, 1);

    // The process-values table always shows the active record window's samples; whatever
    // changes it changes the figures too.
    ProcessValuesModel* model = &windows.processValuesModel();
    connect(model, &QAbstractItemModel::modelReset, this, &FiguresPanel::scheduleRefresh);
    connect(model, &QAbstractItemModel::rowsInserted, this, &FiguresPanel::scheduleRefresh);
    if (mdiArea)
        connect(mdiArea, &QMdiArea::subWindowActivated, this, &FiguresPanel::scheduleRefresh);

    reloadProcessWindow();
    retranslateUi();
    showFigures(nullptr);
}

void FiguresPanel::addToTabs(QTabWidget* tabs)
{
    m_tabs = tabs;
    tabs->addTab(this, tr("Process figures"));
}

QString FiguresPanel::figureName(ProcessFigure figure)
{
    switch (figure) {
    case ProcessFigure::Peak: return tr("Peak");
    case ProcessFigure::TimeToPeak: return tr("Time to peak");
    case ProcessFigure::TimeAboveLiquidus: return tr("Time above liquidus");
    case ProcessFigure::HeatingRate: return tr("Largest heating rate");
    case ProcessFigure::CoolingRate: return tr("Largest cooling rate");
    case ProcessFigure::SoakTime: return tr("Time in soak band");
    case ProcessFigure::Difference: return tr("Largest Tc-Tb difference");
    }
    return QString();
}

std::optional<ProcessFigure> FiguresPanel::rowFigure(int row)
{
    if (row == kTimeOfPeakRow)
        return std::nullopt;
    return kProcessFigures[size_t(row < kTimeOfPeakRow ? row : row - 1)];
}

void FiguresPanel::reloadProcessWindow()
{
    const QFileInfo info(m_settingsFile);
    m_settingsStamp = info.exists() ? info.lastModified() : QDateTime();
    m_settingsSize = info.exists() ? info.size() : -1;
    m_window = ProcessWindow::read(IniFile(m_settingsFile));
    // A hand-edited window that cannot be used (a minimum above its maximum) would judge
    // every run wrongly; the lead-free defaults stand in until it is mended, and the page
    // says so.
    m_windowUnusable = !m_window.problem(false).isEmpty();
    if (m_windowUnusable) {
        m_unusableWindow = m_window;
        m_window = ProcessWindow();
    }
}

void FiguresPanel::scheduleRefresh()
{
    m_stale = true;
    if (m_refreshPending || !isVisible())
        return;
    // Once the sample, activation or reset that caused it has run to its end.
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshPending = false;
        if (isVisible())
            refresh();
    });
}

void FiguresPanel::refresh()
{
    // The options dialog or a hand edit may have changed the window since.
    const QFileInfo info(m_settingsFile);
    if ((info.exists() ? info.lastModified() : QDateTime()) != m_settingsStamp
        || (info.exists() ? info.size() : -1) != m_settingsSize)
        reloadProcessWindow();
    const TfrmChild* w = m_windows ? m_windows->activeRecordWindow() : nullptr;
    showFigures(w ? &w->record() : nullptr);
    m_stale = false;
}

void FiguresPanel::showFigures(const Recording* record)
{
    const ProcessFigures f = record ? ProcessFigures::of(record->samples, record->header, m_window) : ProcessFigures();
    const ProcessJudgement j = ProcessJudgement::of(f, m_window);
    const QString unit = m_windows ? m_windows->chartStyle().unitText(f.celsius) : QString();

    switch (j.verdict) {
    case Verdict::Pass: m_verdict->setText(tr("Verdict: %1").arg(tr("Pass"))); break;
    case Verdict::Fail: m_verdict->setText(tr("Verdict: %1").arg(tr("Fail"))); break;
    case Verdict::None: m_verdict->setText(tr("Verdict: %1").arg(tr("none"))); break;
    }
    QPalette p = m_verdict->palette();
    p.setColor(QPalette::WindowText, j.verdict == Verdict::Pass ? kPassColour
                                     : j.verdict == Verdict::Fail ? kFailColour
                                                                  : palette().color(QPalette::WindowText));
    m_verdict->setPalette(p);

    if (!record || f.isEmpty()) {
        m_basis->setText(tr("Not enough samples for figures."));
    } else {
        const QString liquidus = FigureTexts::withUnit(f.liquidus, ProcessFigure::Peak, unit);
        QString basis = f.liquidusSource == ProcessFigures::LiquidusSource::Record
            ? tr("Liquidus %1 (TL of the record)").arg(liquidus)
            : tr("Liquidus %1 (process window)").arg(liquidus);
        basis += QStringLiteral("   ")
            + tr("Soak band %1 - %2").arg(FigureTexts::number(f.soakLow, 1), FigureTexts::withUnit(f.soakHigh, ProcessFigure::Peak, unit));
        basis += QStringLiteral("   ") + tr("Rates over %1 s").arg(FigureTexts::number(f.rateWindow, 1));
        if (f.staleSamples)
            basis += QStringLiteral("   ") + tr("Repeated samples left out: %1").arg(f.staleSamples);
        m_basis->setText(basis);
    }
    if (m_windowUnusable)
        m_basis->setText(m_basis->text() + QLatin1Char('\n')
                         + tr("The process window of the settings file cannot be used (%1); the lead-free defaults apply.")
                               .arg(m_unusableWindow.problem(UiLanguage::instance().isChinese())));

    using Curve = ProcessFigures::Curve;
    for (int r = 0; r < RowCount; ++r) {
        const std::optional<ProcessFigure> fig = rowFigure(r);
        QString tc, tb, limits, mark;
        QColor markColour = palette().color(QPalette::Text);
        if (!fig) {
            m_table->item(r, FigureColumn)->setText(tr("Time of peak"));
            tc = FigureTexts::seconds(f.tc ? std::optional<double>(f.tc->peakTime) : std::nullopt);
            tb = FigureTexts::seconds(f.tb ? std::optional<double>(f.tb->peakTime) : std::nullopt);
        } else {
            m_table->item(r, FigureColumn)->setText(figureName(*fig));
            tc = FigureTexts::withUnit(f.value(*fig, Curve::Tc), *fig, unit);
            if (*fig != ProcessFigure::Difference)
                tb = FigureTexts::withUnit(f.value(*fig, Curve::Tb), *fig, unit);
            const ProcessJudgement::Check& c = j.check(*fig);
            limits = FigureTexts::limits(c.limit, *fig, unit);
            if (c.mark == FigureMark::Pass) {
                mark = tr("Pass");
                markColour = kPassColour;
            } else if (c.mark == FigureMark::Fail) {
                mark = tr("Fail");
                markColour = kFailColour;
            } else if (c.limit.isSet()) {
                mark = QStringLiteral("-");
            }
        }
        m_table->item(r, TcColumn)->setText(tc);
        m_table->item(r, TbColumn)->setText(tb);
        m_table->item(r, LimitsColumn)->setText(limits);
        m_table->item(r, MarkColumn)->setText(mark);
        m_table->item(r, MarkColumn)->setForeground(markColour);
    }
}

void FiguresPanel::editProcessWindow()
{
    const QString celsius = m_windows ? m_windows->chartStyle().celsiusText : QStringLiteral("\u00B0C");
    if (TfrmProcessWindow::edit(window(), m_settingsFile, celsius)) {
        reloadProcessWindow();
        refresh();
    }
}

void FiguresPanel::retranslateUi()
{
    if (m_tabs) {
        const int i = m_tabs->indexOf(this);
        if (i >= 0)
            m_tabs->setTabText(i, tr("Process figures"));
    }
    m_windowButton->setText(tr("Process window..."));
    m_table->setHorizontalHeaderLabels({tr("Figure"), QStringLiteral("Tc"), QStringLiteral("Tb"), tr("Limits"), tr("Mark")});
}

void FiguresPanel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange) {
        retranslateUi();
        // The verdict, the basis, the figure names, the units and the marks follow the
        // language at once, also while the page is hidden.
        refresh();
    } else if (e->type() == QEvent::ActivationChange && isVisible() && isActiveWindow()) {
        // Back from a dialog (the options dialog may have changed the process window).
        scheduleRefresh();
    }
    QWidget::changeEvent(e);
}

void FiguresPanel::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (m_stale)
        scheduleRefresh();
}
