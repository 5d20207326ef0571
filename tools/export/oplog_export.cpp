#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

#include "export_args.h"
#include "export_text.h"
#include "records/record_header.h"
#include "users/operation_log.h"

namespace {

QString csvField(const QString& s)
{
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n'))
        && !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString isoDate(double days)
{
    return OleDate::toDateTime(days).toString(Qt::ISODate);
}

const char* const kKeys[OperationRecord::FieldCount] = {"employee_no", "name", "department",
                                                        "remark", "old_profile", "new_profile"};

} // namespace

// tamsel-export oplog FILE --tsv|--csv|--json [--lang en|zh]: the operation log. --tsv is the
// options dialog's export text (8-bit, CR LF, heading by --lang); --csv and --json are UTF-8
// with the date in ISO 8601.
static int exportOperationLog(const ExportArgs& args)
{
    QTextStream err(stderr);
    const QString& file = args.positional[0];
    const QString& format = args.format;
    const Language language
        = args.value(QStringLiteral("--lang")) == QLatin1String("zh") ? Language::Chinese : Language::English;

    // The options dialog takes a missing log as empty; a script asking for a file wants to know.
    if (!QFileInfo::exists(file)) {
        err << "tamsel-export: \"" << file << "\" does not exist\n";
        return ExportFileProblem;
    }
    QList<OperationRecord> entries;
    UsersFileError error;
    QString damage;
    if (!ReadOperationLog(file, entries, &error, &damage)) {
        err << "tamsel-export: " << error.englishMessage() << "\n";
        return ExportFileProblem;
    }
    if (!damage.isEmpty()) {
        err << "tamsel-export: \"" << file << "\" is damaged: " << damage << "\n";
        return ExportFileProblem;
    }

    if (format == QLatin1String("--tsv")) {
        const QByteArray text = OperationLogText(entries, language);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (format == QLatin1String("--csv")) {
        out << "DateTime,Employee No.,Name,Department,Remark,Old PCB,New PCB\n";
        for (const OperationRecord& e : entries) {
            QStringList line{isoDate(e.dateTime)};
            for (int f = 0; f < OperationRecord::FieldCount; ++f)
                line << csvField(e.text(OperationRecord::Field(f)));
            out << line.join(QLatin1Char(',')) << "\n";
        }
        return 0;
    }
    out << "[";
    for (int i = 0; i < entries.size(); ++i) {
        const OperationRecord& e = entries[i];
        out << (i ? ",\n " : "\n ") << "{\"date\": " << jsonString(isoDate(e.dateTime));
        for (int f = 0; f < OperationRecord::FieldCount; ++f)
            out << ", \"" << kKeys[f] << "\": " << jsonString(e.text(OperationRecord::Field(f)));
        out << "}";
    }
    out << (entries.isEmpty() ? "]\n" : "\n]\n");
    return 0;
}

ExportCommand oplogCommand()
{
    return {QStringLiteral("oplog"),
            {{QStringLiteral("--tsv")}, {QStringLiteral("--csv")}, {QStringLiteral("--json")}},
            {{QStringLiteral("--lang"),
              QStringLiteral("en|zh"),
              {QStringLiteral("en"), QStringLiteral("zh")},
              {QStringLiteral("--tsv")}}},
            {QStringLiteral("OpRec.dat")},
            false,
            {QStringLiteral("oplog OpRec.dat --tsv [--lang en|zh]"), QStringLiteral("oplog OpRec.dat --csv|--json")},
            exportOperationLog};
}
