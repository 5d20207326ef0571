#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

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
int exportOperationLog(const QStringList& args)
{
    QTextStream err(stderr);
    const QString usage = QStringLiteral("usage: tamsel-export oplog FILE --tsv|--csv|--json [--lang en|zh]\n");
    QString file;
    QString format;
    Language language = Language::English;
    bool bad = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--tsv") || a == QLatin1String("--csv") || a == QLatin1String("--json")) {
            bad |= !format.isEmpty();
            format = a;
        } else if (a == QLatin1String("--lang") && i + 1 < args.size()) {
            const QString l = args[++i];
            if (l == QLatin1String("zh"))
                language = Language::Chinese;
            else
                bad |= l != QLatin1String("en");
        } else if (file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            file = a;
        } else {
            bad = true;
        }
    }
    if (bad || file.isEmpty() || format.isEmpty()) {
        err << usage;
        return 2;
    }

    // The options dialog takes a missing log as empty; a script asking for a file wants to know.
    if (!QFileInfo::exists(file)) {
        err << "tamsel-export: \"" << file << "\" does not exist\n";
        return 1;
    }
    QList<OperationRecord> entries;
    UsersFileError error;
    QString damage;
    if (!ReadOperationLog(file, entries, &error, &damage)) {
        err << "tamsel-export: " << error.englishMessage() << "\n";
        return 1;
    }
    if (!damage.isEmpty()) {
        err << "tamsel-export: \"" << file << "\" is damaged: " << damage << "\n";
        return 1;
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
