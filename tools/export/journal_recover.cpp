#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include "records/record_file.h"
#include "records/record_journal.h"

// tamsel-export recover JOURNAL OUT.sld: the recording a journal holds, as a record file,
// for support when the program cannot be started. An existing OUT is never replaced.
int recoverJournal(const QStringList& args)
{
    QTextStream err(stderr);
    if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) || args[1].startsWith(QLatin1String("--"))) {
        err << "usage: tamsel-export recover JOURNAL OUT.sld\n";
        return 2;
    }
    const QString& journal = args[0];
    const QString& out = args[1];
    RecordJournal::Contents contents;
    QString reason;
    if (!RecordJournal::readFile(journal, contents, &reason)) {
        err << "tamsel-export: " << journal << ": " << reason << "\n";
        return 1;
    }
    if (QFile::exists(out)) {
        err << "tamsel-export: " << out << " exists already; choose another name\n";
        return 1;
    }
    QString encodeError;
    const QByteArray bytes = RecordFile::encode(contents.record, &encodeError);
    if (bytes.isEmpty()) {
        err << "tamsel-export: " << encodeError << "\n";
        return 1;
    }
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << "tamsel-export: " << out << ": " << file.errorString() << "\n";
        return 1;
    }
    err << "tamsel-export: " << contents.record.samples.size() << " samples and " << contents.record.dots.size()
        << " dots written to " << out;
    if (contents.torn)
        err << " (the journal's last entry was incomplete and is left out)";
    err << "\n";
    return 0;
}
