#include "ui/report_output.h"

#include <QAction>
#include <QFileDialog>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTextDocument>
#include <QToolBar>

#include "records/report_engine.h"
#include "records/report_variables.h"
#include "shell/program_paths.h"
#include "ui/record_chart_view.h"
#include "ui/record_windows.h"
#include "ui/tfrm_child.h"
#include "ui/translated_message_box.h"

ReportOutput::ReportOutput(RecordWindows& windows, QWidget* dialogParent, QObject* parent)
    : QObject(parent)
    , m_windows(windows)
    , m_parent(dialogParent)
{
}

QString ReportOutput::templatePath(bool chinese) const
{
    const QString name = chinese ? QStringLiteral("printcn.frf") : QStringLiteral("print.frf");
    if (m_templateFolder.isEmpty())
        return ProgramPaths().dataFile(name);
    return m_templateFolder + QLatin1Char('/') + name;
}

QImage ReportOutput::reportPicture(const TfrmChild* window)
{
    return ReportEngine::picture(window->chartView()->chartImage());
}

std::unique_ptr<QTextDocument> ReportOutput::prepare(TfrmChild* window)
{
    if (!window)
        return nullptr;
    const ChartStyle style = m_windows.chartStyle();
    const QImage picture = reportPicture(window);
    ReportEngine& engine = window->reportEngine();
    // Not found: no message, the window keeps the template it had.
    engine.loadTemplate(templatePath(style.chinese));
    const ReportSource source{window->record(), style};
    return engine.prepare([&source](const QString& name) { return ReportVariable(name, source); }, picture);
}

std::unique_ptr<QPrinter> ReportOutput::makePrinter(bool withDialog) const
{
    std::unique_ptr<QPrinter> printer;
    if (m_makePrinter) {
        printer = m_makePrinter();
    } else {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
            info = QPrinterInfo::availablePrinters().first();
        if (!info.isNull())
            printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        else if (withDialog) // the dialog still offers printing to a file
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    if (printer)
        printer->setPageMargins(ReportEngine::pageMargins(), QPageLayout::Millimeter);
    return printer;
}

bool ReportOutput::paintOn(QTextDocument& report, QPrinter& printer)
{
    if (ReportEngine::paint(report, printer))
        return true;
    const QString name = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    TranslatedMessageBox::error(m_parent, tr("The report could not be printed on \"%1\".").arg(name));
    return false;
}

bool ReportOutput::preview(TfrmChild* window)
{
    std::unique_ptr<QTextDocument> report = prepare(window);
    if (!report)
        return false;
    // The preview works without a printer; its print button brings the print dialog.
    std::unique_ptr<QPrinter> printer = makePrinter(true);
    QPrintPreviewDialog dialog(printer.get(), m_parent);
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(tr("Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) { ReportEngine::paint(*report, *p); });
    if (QToolBar* bar = dialog.findChild<QToolBar*>()) {
        auto* saveAction = new QAction(tr("Save as PDF..."), &dialog);
        saveAction->setObjectName(QStringLiteral("actnSavePdf"));
        connect(saveAction, &QAction::triggered, &dialog, [&] { savePdf(*report, &dialog); });
        bar->addSeparator();
        bar->addAction(saveAction);
    }
    // A whole page at a readable size, as far as the screen allows.
    const QSize room = dialog.screen() ? dialog.screen()->availableSize() : QSize(900, 1000);
    dialog.resize(qMin(900, room.width()), qMin(1000, room.height()));
    dialog.exec();
    return true;
}

void ReportOutput::savePdf(QTextDocument& report, QWidget* parent)
{
    QString path;
    if (m_choosePdf)
        path = m_choosePdf();
    else
        path = QFileDialog::getSaveFileName(parent, tr("Save as PDF..."), QString(), tr("PDF File (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) && !m_choosePdf)
        path += QLatin1String(".pdf");
    QString error;
    if (!ReportEngine::writePdf(report, path, &error))
        TranslatedMessageBox::error(parent, tr("The report could not be saved as \"%1\": %2").arg(path, error));
}

bool ReportOutput::print(TfrmChild* window)
{
    std::unique_ptr<QTextDocument> report = prepare(window);
    if (!report)
        return false;
    std::unique_ptr<QPrinter> printer = makePrinter(false);
    if (!printer) {
        TranslatedMessageBox::error(m_parent, tr("No printer is installed."));
        return false;
    }
    // At once: all pages, one copy, collated.
    printer->setPrintRange(QPrinter::AllPages);
    printer->setCopyCount(1);
    printer->setCollateCopies(true);
    return paintOn(*report, *printer);
}

bool ReportOutput::printWithDialog(TfrmChild* window)
{
    std::unique_ptr<QTextDocument> report = prepare(window);
    if (!report)
        return false;
    std::unique_ptr<QPrinter> printer = makePrinter(true);
    QPrintDialog dialog(printer.get(), m_parent);
    dialog.setObjectName(QStringLiteral("ReportPrintDialog"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return paintOn(*report, *printer);
}
