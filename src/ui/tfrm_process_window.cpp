#include "ui/tfrm_process_window.h"

#include <cmath>

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ini_file.h"
#include "ui/figures_panel.h"
#include "ui/translated_message_box.h"
#include "ui/ui_language.h"

namespace {

QString numberText(std::optional<double> v)
{
    return v ? QString::number(*v, 'g', QLocale::FloatingPointShortest) : QString();
}

// "217" and "217.5" everywhere, "217,5" where the system writes it so.
bool parseNumber(const QString& text, double* value)
{
    const QString t = text.trimmed();
    bool ok = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    double v = c.toDouble(t, &ok);
    if (!ok) {
        QLocale system = QLocale::system();
        system.setNumberOptions(QLocale::RejectGroupSeparator);
        v = system.toDouble(t, &ok);
    }
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QLineEdit* numberEdit(QWidget* parent, const QString& name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(80);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

TfrmProcessWindow::TfrmProcessWindow(const QString& settingsFile, const QString& celsiusText, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settingsFile(settingsFile)
    , m_celsiusText(celsiusText)
{
    setObjectName(QStringLiteral("frmProcessWindow"));

    m_bandGroup = new QGroupBox(this);
    m_liquidusLabel = new QLabel(m_bandGroup);
    m_soakLabel = new QLabel(m_bandGroup);
    liquidusEdit = numberEdit(m_bandGroup, QStringLiteral("editLiquidus"));
    soakLowEdit = numberEdit(m_bandGroup, QStringLiteral("editSoakLow"));
    soakHighEdit = numberEdit(m_bandGroup, QStringLiteral("editSoakHigh"));
    m_liquidusUnit = new QLabel(m_bandGroup);
    m_soakUnit = new QLabel(m_bandGroup);
    auto* band = new QGridLayout(m_bandGroup);
    band->addWidget(m_liquidusLabel, 0, 0);
    band->addWidget(liquidusEdit, 0, 1);
    band->addWidget(m_liquidusUnit, 0, 3);
    band->addWidget(m_soakLabel, 1, 0);
    band->addWidget(soakLowEdit, 1, 1);
    band->addWidget(soakHighEdit, 1, 2);
    band->addWidget(m_soakUnit, 1, 3);
    band->setColumnStretch(0, 1);

    m_limitGroup = new QGroupBox(this);
    auto* grid = new QGridLayout(m_limitGroup);
    m_minHeading = new QLabel(m_limitGroup);
    m_maxHeading = new QLabel(m_limitGroup);
    grid->addWidget(m_minHeading, 0, 1);
    grid->addWidget(m_maxHeading, 0, 2);
    for (ProcessFigure f : kProcessFigures) {
        const size_t i = size_t(f);
        const QString stem = ProcessWindow::keyStem(f);
        m_figureLabels[i] = new QLabel(m_limitGroup);
        minEdits[i] = numberEdit(m_limitGroup, QStringLiteral("edit%1Min").arg(stem));
        maxEdits[i] = numberEdit(m_limitGroup, QStringLiteral("edit%1Max").arg(stem));
        m_unitLabels[i] = new QLabel(m_limitGroup);
        const int row = int(i) + 1;
        grid->addWidget(m_figureLabels[i], row, 0);
        grid->addWidget(minEdits[i], row, 1);
        grid->addWidget(maxEdits[i], row, 2);
        grid->addWidget(m_unitLabels[i], row, 3);
    }
    grid->setColumnStretch(0, 1);
    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);

    m_defaults = new QPushButton(this);
    m_defaults->setObjectName(QStringLiteral("btnDefaults"));
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_defaults, &QPushButton::clicked, this, [this] { showWindow(ProcessWindow()); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* col = new QVBoxLayout(this);
    col->addWidget(m_bandGroup);
    col->addWidget(m_limitGroup);
    col->addWidget(m_hint);
    col->addLayout(buttons);

    showWindow(ProcessWindow::read(IniFile(m_settingsFile)));
    retranslate();
}

bool TfrmProcessWindow::edit(QWidget* parent, const QString& settingsFile, const QString& celsiusText)
{
    TfrmProcessWindow dialog(settingsFile, celsiusText, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TfrmProcessWindow::showWindow(const ProcessWindow& w)
{
    liquidusEdit->setText(numberText(w.liquidus));
    soakLowEdit->setText(numberText(w.soakLow));
    soakHighEdit->setText(numberText(w.soakHigh));
    for (ProcessFigure f : kProcessFigures) {
        minEdits[size_t(f)]->setText(numberText(w.limit(f).min));
        maxEdits[size_t(f)]->setText(numberText(w.limit(f).max));
    }
}

bool TfrmProcessWindow::windowFromFields(ProcessWindow* window, QString* error) const
{
    ProcessWindow w;
    const auto required = [&](QLineEdit* e, const QString& name, double* v) {
        if (parseNumber(e->text(), v))
            return true;
        *error = tr("\"%1\" is not a number: %2").arg(name, e->text());
        return false;
    };
    const auto optional = [&](QLineEdit* e, const QString& name, std::optional<double>* v) {
        if (e->text().trimmed().isEmpty()) {
            v->reset();
            return true;
        }
        double d = 0;
        if (!required(e, name, &d))
            return false;
        *v = d;
        return true;
    };
    if (!required(liquidusEdit, tr("Liquidus"), &w.liquidus) || !required(soakLowEdit, tr("Soak band"), &w.soakLow)
        || !required(soakHighEdit, tr("Soak band"), &w.soakHigh))
        return false;
    for (ProcessFigure f : kProcessFigures) {
        const QString name = FiguresPanel::figureName(f);
        if (!optional(minEdits[size_t(f)], name, &w.limit(f).min) || !optional(maxEdits[size_t(f)], name, &w.limit(f).max))
            return false;
    }
    *window = w;
    return true;
}

void TfrmProcessWindow::accept()
{
    ProcessWindow w;
    QString error;
    if (!windowFromFields(&w, &error)) {
        TranslatedMessageBox::warning(this, error);
        return;
    }
    if (const QString problem = w.problem(UiLanguage::instance().isChinese()); !problem.isEmpty()) {
        TranslatedMessageBox::warning(this, problem);
        return;
    }
    IniFile ini(m_settingsFile);
    if (!w.write(ini)) {
        TranslatedMessageBox::error(this, ini.errorString());
        return;
    }
    QDialog::accept();
}

QString TfrmProcessWindow::unitText(FigureKind kind) const
{
    if (kind == FigureKind::Time)
        return QStringLiteral("s");
    // Temperatures and their differences.
    return UiLanguage::instance().isChinese() ? QStringLiteral("\u2103") : m_celsiusText;
}

void TfrmProcessWindow::retranslate()
{
    setWindowTitle(tr("Process window"));
    m_bandGroup->setTitle(tr("Liquidus and soak band"));
    m_liquidusLabel->setText(tr("Liquidus (used when the record's TL is 0):"));
    m_soakLabel->setText(tr("Soak band from / to:"));
    const QString celsius = unitText(FigureKind::Temperature);
    m_liquidusUnit->setText(celsius);
    m_soakUnit->setText(celsius);
    m_limitGroup->setTitle(tr("Limits"));
    m_minHeading->setText(tr("minimum"));
    m_maxHeading->setText(tr("maximum"));
    for (ProcessFigure f : kProcessFigures) {
        m_figureLabels[size_t(f)]->setText(FiguresPanel::figureName(f));
        const bool rate = f == ProcessFigure::HeatingRate || f == ProcessFigure::CoolingRate;
        m_unitLabels[size_t(f)]->setText(rate ? celsius + QStringLiteral("/s") : unitText(figureKind(f)));
    }
    m_hint->setText(tr("An empty field sets no limit. Fahrenheit records are judged against these limits converted."));
    m_defaults->setText(tr("Lead-free defaults"));
    m_ok->setText(tr("Ok"));
    m_cancel->setText(tr("Cancel"));
}

void TfrmProcessWindow::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(e);
}
