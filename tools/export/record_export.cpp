#include <charconv>
#include <cmath>

#include <QStringList>
#include <QTextStream>

#include "export_text.h"
#include "report_export.h"
#include "records/record_file.h"

namespace {

// The shortest text that reads back as the same float; a value that is no number (a
// damaged file) becomes null in JSON and empty in CSV.
QString number(float v, const char* notANumber)
{
    if (!std::isfinite(v))
        return QLatin1String(notANumber);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

QString number(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("null");
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

QString text(const QByteArray& field)
{
    return jsonString(RecordHeader::text(field));
}

QString f(float v)
{
    return number(v, "null");
}

QString flags(const RecordSample& s, const QString& sep)
{
    const uint8_t all[] = {s.fan, s.pump, s.bottomHeater, s.topHeater, s.fanInside, s.fanOutside, s.topHeaterUp, s.topHeaterDown};
    QStringList parts;
    for (uint8_t b : all)
        parts << QString::number(b);
    return parts.join(sep);
}

const char* const kFlagNames[] = {"fan", "pump", "bottomHeater", "topHeater", "fanInside", "fanOutside", "topHeaterUp", "topHeaterDown"};

void writeJson(QTextStream& out, const Recording& r)
{
    const RecordHeader& h = r.header;
    const auto u = [](uint8_t b) { return QString::number(b); };
    out << "{\n  \"header\": {\n";
    const std::pair<const char*, QString> fields[] = {
        {"version", text(h.version)},
        {"overlayOn", u(h.overlayOn)},
        {"overlayFromEntry", u(h.overlayFromEntry)},
        {"overlayTime", f(h.overlayTime)},
        {"recordDate", number(h.recordDate)},
        {"operatorName", text(h.operatorName)},
        {"boardName", text(h.boardName)},
        {"componentName", text(h.componentName)},
        {"desoldering", u(h.desoldering)},
        {"reservedText", text(h.reservedText)},
        {"Orientation", u(h.Orientation)},
        {"ShutterX", u(h.ShutterX)},
        {"ShutterY", u(h.ShutterY)},
        {"Flow", u(h.Flow)},
        {"T2", f(h.T2)},
        {"sensorIR", u(h.sensorIR)},
        {"T1", f(h.T1)},
        {"T3", f(h.T3)},
        {"TL", f(h.TL)},
        {"S1", f(h.S1)},
        {"S2", f(h.S2)},
        {"S3", f(h.S3)},
        {"celsius", u(h.celsius)},
        {"headline", text(h.headline)},
        {"T0", f(h.T0)},
        {"TB", f(h.TB)},
        {"sampleInterval", f(h.sampleInterval)},
        {"reserved", QStringLiteral("[%1, %2, %3, %4]").arg(h.reserved[0]).arg(h.reserved[1]).arg(h.reserved[2]).arg(h.reserved[3])},
    };
    bool first = true;
    for (const auto& [name, value] : fields) {
        out << (first ? "" : ",\n") << "    \"" << name << "\": " << value;
        first = false;
    }
    out << "\n  },\n  \"samples\": [";
    for (int i = 0; i < r.samples.size(); ++i) {
        const RecordSample& s = r.samples[i];
        out << (i ? ",\n" : "\n") << "    {\"time\": " << f(s.time) << ", \"tc\": " << f(s.tc) << ", \"tb\": " << f(s.tb)
            << ", \"dT\": " << f(s.dT);
        const uint8_t all[] = {s.fan, s.pump, s.bottomHeater, s.topHeater, s.fanInside, s.fanOutside, s.topHeaterUp, s.topHeaterDown};
        for (int k = 0; k < 8; ++k)
            out << ", \"" << kFlagNames[k] << "\": " << all[k];
        out << "}";
    }
    out << (r.samples.isEmpty() ? "]" : "\n  ]") << ",\n  \"dots\": [";
    for (int i = 0; i < r.dots.size(); ++i) {
        const AnalysisDot& d = r.dots[i];
        out << (i ? ",\n" : "\n") << "    {\"time\": " << f(d.time) << ", \"tc\": " << f(d.tc) << ", \"tb\": " << f(d.tb) << "}";
    }
    out << (r.dots.isEmpty() ? "]" : "\n  ]") << "\n}\n";
}

void writeCsv(QTextStream& out, const Recording& r)
{
    out << "time,tc,tb,dT";
    for (const char* name : kFlagNames)
        out << ',' << name;
    out << '\n';
    for (const RecordSample& s : r.samples)
        out << number(s.time, "") << ',' << number(s.tc, "") << ',' << number(s.tb, "") << ',' << number(s.dT, "") << ','
            << flags(s, QStringLiteral(",")) << '\n';
}

} // namespace

// tamsel-export record FILE.sld --json|--csv [--salvage]: the header fields by their names,
// the samples and the analysis dots, read through the program's own file code. With
// --salvage, a file cut short gives what it holds (a note on stderr says how much).
// tamsel-export record FILE.sld --pdf OUT.pdf [--lang en|zh] [--template FILE] [--salvage]:
// the printed report, made as the record window makes it.
int exportRecord(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString file;
    QString format;
    PdfReportOptions pdf;
    bool salvage = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool withValue = a == QLatin1String("--pdf") || a == QLatin1String("--lang") || a == QLatin1String("--template");
        if (withValue && i + 1 >= args.size()) {
            err << "tamsel-export record: " << a << " needs a value\n";
            return 2;
        }
        if (a == QLatin1String("--salvage")) {
            salvage = true;
        } else if (a == QLatin1String("--json") || a == QLatin1String("--csv") || a == QLatin1String("--pdf")) {
            if (!format.isEmpty() && format != a) {
                err << "tamsel-export record: choose one of --json, --csv and --pdf\n";
                return 2;
            }
            format = a;
            if (a == QLatin1String("--pdf"))
                pdf.output = args[++i];
        } else if (a == QLatin1String("--lang")) {
            const QString lang = args[++i];
            if (lang != QLatin1String("en") && lang != QLatin1String("zh")) {
                err << "tamsel-export record: --lang is en or zh, not '" << lang << "'\n";
                return 2;
            }
            pdf.chinese = lang == QLatin1String("zh");
        } else if (a == QLatin1String("--template")) {
            pdf.templateFile = args[++i];
        } else if (file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            file = a;
        } else {
            err << "tamsel-export record: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    if (format != QLatin1String("--pdf") && (pdf.chinese || !pdf.templateFile.isEmpty())) {
        err << "tamsel-export record: --lang and --template go with --pdf\n";
        return 2;
    }
    if (file.isEmpty() || format.isEmpty()) {
        err << "usage: tamsel-export record FILE.sld --json|--csv [--salvage]\n"
               "       tamsel-export record FILE.sld --pdf OUT.pdf [--lang en|zh] [--template FILE] [--salvage]\n";
        return 2;
    }
    Recording record;
    if (!LoadRecord(record, file)) {
        RecordFile::Salvage got;
        if (!salvage || !SalvageRecord(record, file, &got)) {
            err << "tamsel-export: " << file << ": " << recordFileErrorText()
                << " (missing, unreadable, or shorter than its header and counts say)\n";
            return 1;
        }
        const auto count = [](int n) { return n < 0 ? QStringLiteral("?") : QString::number(n); };
        err << "tamsel-export: " << file << ": cut short; " << got.samplesRead << " of " << count(got.samplesPromised)
            << " samples and " << got.dotsRead << " of " << count(got.dotsPromised) << " dots could be read\n";
    }
    if (format == QLatin1String("--pdf")) {
        QString error;
        if (!writePdfReport(record, pdf, &error)) {
            err << "tamsel-export: " << error << "\n";
            return 1;
        }
        return 0;
    }
    out.setEncoding(QStringConverter::Utf8);
    if (format == QLatin1String("--json"))
        writeJson(out, record);
    else
        writeCsv(out, record);
    return 0;
}
