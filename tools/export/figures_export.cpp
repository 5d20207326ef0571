#include "figures_export.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include "export_args.h"
#include "export_text.h"
#include "records/figure_texts.h"
#include "records/record_file.h"
#include "shell/ini_file.h"
#include "shell/program_paths.h"

namespace {

using Curve = ProcessFigures::Curve;

QString csvText(const QString& s)
{
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n'))
        && !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// A figure as a JSON number with the decimals it is shown with, null when there is none.
QString jsonFigure(std::optional<double> v, int decimals)
{
    const QString n = FigureTexts::number(v, decimals);
    return n.isEmpty() ? QStringLiteral("null") : n;
}

QString jsonCurve(const std::optional<CurveFigures>& c, const ProcessFigures& f, Curve curve)
{
    if (!c)
        return QStringLiteral("null");
    QStringList parts;
    for (ProcessFigure fig : kProcessFigures) {
        if (fig == ProcessFigure::Difference)
            continue;
        parts << jsonString(FigureTexts::key(fig)) + QStringLiteral(": ")
                + jsonFigure(f.value(fig, curve), figureDecimals(fig));
        if (fig == ProcessFigure::Peak)
            parts << QStringLiteral("\"peakTime\": ") + jsonFigure(c->peakTime, 1);
    }
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

// The CSV columns after the record's own: unit, liquidus, the Tc figures, the Tb figures,
// the difference, the verdict.
QStringList figureHeadings()
{
    QStringList h{QStringLiteral("unit"), QStringLiteral("liquidus")};
    for (const char* curve : {"tc", "tb"}) {
        for (ProcessFigure fig : kProcessFigures) {
            if (fig == ProcessFigure::Difference)
                continue;
            h << QLatin1String(curve) + QLatin1Char('_') + FigureTexts::key(fig);
            if (fig == ProcessFigure::Peak)
                h << QLatin1String(curve) + QStringLiteral("_peakTime");
        }
    }
    h << FigureTexts::key(ProcessFigure::Difference) << QStringLiteral("verdict");
    return h;
}

QStringList figureFields(const Recording& record, const ProcessWindow& window)
{
    const ProcessFigures f = ProcessFigures::of(record.samples, record.header, window);
    QStringList row{f.celsius ? QStringLiteral("C") : QStringLiteral("F"), FigureTexts::number(f.liquidus, 1)};
    for (const Curve curve : {Curve::Tc, Curve::Tb}) {
        const std::optional<CurveFigures>& c = curve == Curve::Tc ? f.tc : f.tb;
        for (ProcessFigure fig : kProcessFigures) {
            if (fig == ProcessFigure::Difference)
                continue;
            row << FigureTexts::number(f.value(fig, curve), figureDecimals(fig));
            if (fig == ProcessFigure::Peak)
                row << FigureTexts::number(c ? std::optional<double>(c->peakTime) : std::nullopt, 1);
        }
    }
    row << FigureTexts::number(f.difference, figureDecimals(ProcessFigure::Difference))
        << FigureTexts::verdictKey(ProcessJudgement::of(f, window).verdict);
    return row;
}

} // namespace

ProcessWindow exportProcessWindow(const QString& iniPath)
{
    const IniFile ini(iniPath.isEmpty() ? ProgramPaths().settingsFile() : iniPath);
    return ProcessWindow::read(ini);
}

QString figuresJson(const Recording& record, const ProcessWindow& window)
{
    const ProcessFigures f = ProcessFigures::of(record.samples, record.header, window);
    const ProcessJudgement j = ProcessJudgement::of(f, window);
    QStringList lines;
    lines << QStringLiteral("\"unit\": ") + jsonString(f.celsius ? QStringLiteral("C") : QStringLiteral("F"));
    lines << QStringLiteral("\"liquidus\": ") + jsonFigure(f.liquidus, 1);
    lines << QStringLiteral("\"liquidusFrom\": ")
            + jsonString(f.liquidusSource == ProcessFigures::LiquidusSource::Record ? QStringLiteral("TL")
                                                                                    : QStringLiteral("window"));
    lines << QStringLiteral("\"soakLow\": ") + jsonFigure(f.soakLow, 1);
    lines << QStringLiteral("\"soakHigh\": ") + jsonFigure(f.soakHigh, 1);
    lines << QStringLiteral("\"rateWindow\": ") + jsonFigure(f.rateWindow, 1);
    lines << QStringLiteral("\"staleSamples\": ") + QString::number(f.staleSamples);
    lines << QStringLiteral("\"tc\": ") + jsonCurve(f.tc, f, Curve::Tc);
    lines << QStringLiteral("\"tb\": ") + jsonCurve(f.tb, f, Curve::Tb);
    lines << QStringLiteral("\"difference\": ") + jsonFigure(f.difference, figureDecimals(ProcessFigure::Difference));
    QStringList checks;
    for (ProcessFigure fig : kProcessFigures) {
        const ProcessJudgement::Check& c = j.check(fig);
        const int d = figureDecimals(fig);
        checks << QStringLiteral("      ") + jsonString(FigureTexts::key(fig)) + QStringLiteral(": {\"min\": ")
                + jsonFigure(c.limit.min, d) + QStringLiteral(", \"max\": ") + jsonFigure(c.limit.max, d)
                + QStringLiteral(", \"mark\": ") + jsonString(FigureTexts::markKey(c.mark)) + QLatin1Char('}');
    }
    lines << QStringLiteral("\"limits\": {\n") + checks.join(QStringLiteral(",\n")) + QStringLiteral("\n    }");
    const QString verdict = FigureTexts::verdictKey(j.verdict);
    lines << QStringLiteral("\"verdict\": ") + (verdict.isEmpty() ? QStringLiteral("null") : jsonString(verdict));
    return QStringLiteral("{\n    ") + lines.join(QStringLiteral(",\n    ")) + QStringLiteral("\n  }");
}

// tamsel-export figures FILE.sld... --csv [--window CommConfig.ini]: one row per record
// with the file, its date and names, every figure and the verdict against the process
// window. A folder given instead of a file stands for the *.sld files in it. A file that
// cannot be read is reported on stderr and left out; the others are still written, and the
// exit status is then 1.
static int exportFigures(const ExportArgs& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList files;
    for (const QString& a : args.positional) {
        if (QFileInfo(a).isDir()) {
            // A folder stands for its record files, in name order.
            const QDir dir(a);
            for (const QString& name : dir.entryList({QStringLiteral("*.sld")}, QDir::Files, QDir::Name))
                files << dir.filePath(name);
        } else {
            files << a;
        }
    }
    const QString windowFile = args.value(QStringLiteral("--window"));
    const ProcessWindow window = exportProcessWindow(windowFile);
    if (const QString problem = window.problem(false); !problem.isEmpty()) {
        err << "tamsel-export figures: the process window cannot be used: " << problem << "\n";
        return ExportFileProblem;
    }

    out.setEncoding(QStringConverter::Utf8);
    QStringList heading{QStringLiteral("file"), QStringLiteral("date"), QStringLiteral("board"),
                        QStringLiteral("component"), QStringLiteral("operator")};
    out << (heading + figureHeadings()).join(QLatin1Char(',')) << "\n";
    int failed = 0;
    for (const QString& file : files) {
        Recording record;
        if (!LoadRecord(record, file)) {
            err << "tamsel-export: " << file << ": " << recordFileErrorText()
                << " (missing, unreadable, or shorter than its header and counts say)\n";
            ++failed;
            continue;
        }
        const RecordHeader& h = record.header;
        const QDateTime date = OleDate::toDateTime(h.recordDate);
        QStringList row{file, date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString(),
                        RecordHeader::text(h.boardName), RecordHeader::text(h.componentName),
                        RecordHeader::text(h.operatorName)};
        row << figureFields(record, window);
        for (QString& field : row)
            field = csvText(field);
        out << row.join(QLatin1Char(',')) << "\n";
    }
    return failed ? ExportFileProblem : ExportOk;
}

ExportCommand figuresCommand()
{
    return {QStringLiteral("figures"),
            {{QStringLiteral("--csv")}},
            {{QStringLiteral("--window"), QStringLiteral("CommConfig.ini")}},
            {QStringLiteral("FILE.sld|FOLDER")},
            true,
            {QStringLiteral("figures FILE.sld|FOLDER... --csv [--window CommConfig.ini]")},
            exportFigures};
}
