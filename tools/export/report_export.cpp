#include "report_export.h"

#include <QTextDocument>

#include "records/record_chart.h"
#include "records/report_engine.h"
#include "records/report_variables.h"
#include "shell/program_paths.h"
#include "shell/program_settings.h"
#include "shell/settings.h"

bool writePdfReport(const Recording& record, const PdfReportOptions& options, QString* error)
{
    // The program folder's settings: the English unit texts and the line width.
    const ProgramPaths paths;
    const Settings settings(paths);
    ProgramSettings program;
    program.readStartSettings(settings, systemDefaultLanguageId());
    ChartStyle style;
    style.chinese = options.chinese;
    style.celsiusText = program.celsiusText;
    style.fahrenheitText = program.fahrenheitText;
    style.lineWidth = static_cast<int>(program.lineWidth.value_or(LineWidth::Small));

    const QString templateFile = !options.templateFile.isEmpty()
        ? options.templateFile
        : paths.dataFile(options.chinese ? QStringLiteral("printcn.frf") : QStringLiteral("print.frf"));
    ReportEngine engine;
    QString reason;
    if (!engine.loadTemplate(templateFile, &reason)) {
        *error = templateFile + QStringLiteral(": ") + reason;
        return false;
    }

    QImage chart = RecordChart::newImage();
    RecordChart::DrawChart(chart, record, record.drawingInterval(0.0f), style);
    const ReportSource source{record, style};
    std::unique_ptr<QTextDocument> report
        = engine.prepare([&source](const QString& name) { return ReportVariable(name, source); }, ReportEngine::picture(chart));
    if (!ReportEngine::writePdf(*report, options.output, &reason)) {
        *error = options.output + QStringLiteral(": ") + reason;
        return false;
    }
    return true;
}
