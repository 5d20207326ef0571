#include <cmath>

#include <QStringList>
#include <QTextStream>

#include "export_args.h"
#include "export_text.h"
#include "profiles/profile_file.h"
#include "profiles/profile_record.h"
#include "profiles/profile_values.h"

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

// Numbers as JSON numbers; a float that is no number (a damaged value) becomes null.
QString jsonNumber(const QVariant& v)
{
    const double d = v.toDouble();
    if (!std::isfinite(d))
        return QStringLiteral("null");
    return QString::number(d, 'g', 9);
}

} // namespace

// tamsel-export profiles FILE.irl --json|--csv: every profile with its 21 columns, named by
// the English headings, read through the program's own file code.
static int exportProfiles(const ExportArgs& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString& file = args.positional[0];
    const QString& format = args.format;

    std::vector<ProfileRecord> records;
    ProfileFileError error;
    if (!readProfileFile(file, records, &error)) {
        err << "tamsel-export: " << error.englishMessage() << "\n";
        return ExportFileProblem;
    }

    QStringList headings;
    for (int c = 1; c <= ProfileColumn::Count; ++c)
        headings << columnHeading(c, Language::English);

    if (format == QLatin1String("--csv")) {
        QStringList line;
        for (const QString& h : headings)
            line << csvField(h);
        out << line.join(QLatin1Char(',')) << "\n";
        for (const ProfileRecord& rec : records) {
            const ProfileRow row = rowFromRecord(rec);
            line.clear();
            for (int c = 1; c <= ProfileColumn::Count; ++c)
                line << csvField(cellText(row[c - 1]));
            out << line.join(QLatin1Char(',')) << "\n";
        }
        return 0;
    }

    out << "[";
    for (size_t i = 0; i < records.size(); ++i) {
        const ProfileRow row = rowFromRecord(records[i]);
        out << (i ? ",\n  {" : "\n  {");
        for (int c = 1; c <= ProfileColumn::Count; ++c) {
            const QVariant& v = row[c - 1];
            out << (c > 1 ? ", " : "") << jsonString(headings[c - 1]) << ": "
                << (ProfileColumn::isText(c) ? jsonString(v.toString()) : jsonNumber(v));
        }
        out << "}";
    }
    out << (records.empty() ? "]\n" : "\n]\n");
    return 0;
}

ExportCommand profilesCommand()
{
    return {QStringLiteral("profiles"),
            {{QStringLiteral("--json")}, {QStringLiteral("--csv")}},
            {},
            {QStringLiteral("FILE.irl")},
            false,
            {QStringLiteral("profiles FILE.irl --json|--csv")},
            exportProfiles};
}
