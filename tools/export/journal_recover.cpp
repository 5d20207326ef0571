#include <QFile>
#include <QStringList>
#include <QTextStream>

#include "export_args.h"
#include "records/record_file.h"
#include "records/record_journal.h"
#include "shell/save_file.h"

// tamsel-export recover JOURNAL OUT.sld: the recording a journal holds, as a record file,
// for support when the program cannot be started. An existing OUT is never replaced.
static int recoverJournal(const ExportArgs& args)
{
    QTextStream err(stderr);
    const QString& journal = args.positional[0];
    const QString& out = args.positional[1];
    RecordJournal::Contents contents;
    QString reason;
    if (!RecordJournal::readFile(journal, contents, &reason)) {
        err << "tamsel-export: " << journal << ": " << reason << "\n";
        return ExportFileProblem;
    }
    if (QFile::exists(out)) {
        err << "tamsel-export: " << out << " exists already; choose another name\n";
        return ExportFileProblem;
    }
    QString encodeError;
    const QByteArray bytes = RecordFile::encode(contents.record, &encodeError);
    if (bytes.isEmpty()) {
        err << "tamsel-export: " << encodeError << "\n";
        return ExportFileProblem;
    }
    QString why;
    if (!SaveFile::writeWhole(out, bytes, &why)) {
        err << "tamsel-export: " << out << ": " << why << "\n";
        return ExportFileProblem;
    }
    err << "tamsel-export: " << contents.record.samples.size() << " samples and " << contents.record.dots.size()
        << " dots written to " << out;
    if (contents.torn)
        err << " (the journal's last entry was incomplete and is left out)";
    err << "\n";
    return 0;
}

ExportCommand recoverCommand()
{
    return {QStringLiteral("recover"),
            {},
            {},
            {QStringLiteral("JOURNAL"), QStringLiteral("OUT.sld")},
            false,
            {QStringLiteral("recover JOURNAL OUT.sld")},
            recoverJournal};
}
