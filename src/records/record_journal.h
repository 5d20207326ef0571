#pragma once

#include <memory>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "records/recording.h"

// The journal of a recording in progress: its header and every sample appended to a file as
// they are taken, so that a recording survives the program being killed (power cut, crash,
// a desktop that had to be killed by force). Each entry carries its own checksum, so a torn
// last write costs only that entry. The layout is described in docs/recording-journal.md.
//
// Every entry goes to the operating system at once (one unbuffered write); a thread of its
// own syncs the file to the disk about once a second while there is something new, so the
// sampling never waits for the disk.
class RecordJournal
{
public:
    static constexpr char Suffix[] = ".tjn";

    RecordJournal();
    // Closes the file and keeps it (a window destroyed without saving leaves its journal).
    ~RecordJournal();
    RecordJournal(const RecordJournal&) = delete;
    RecordJournal& operator=(const RecordJournal&) = delete;

    // Starts a new journal file in `folder` (made when missing) with everything the record
    // holds now. False with the reason when the file cannot be made.
    bool start(const QString& folder, const Recording& record, QString* error = nullptr);
    bool isOpen() const { return m_file != nullptr; }
    QString path() const { return m_path; }

    // Appends what changed since the last call: the header, the dots, the new samples.
    // False with the reason when a write failed; the journal is closed then.
    bool update(const Recording& record, QString* error = nullptr);
    // Closes the file and removes it: the record was saved or discarded.
    void discard();

    // --- reading --------------------------------------------------------------------------
    struct Contents
    {
        Recording record;
        int entries = 0;     // entries read
        bool torn = false;   // bytes after the last good entry were dropped
    };
    // The record the journal's bytes describe, up to the first incomplete or damaged entry.
    // False when the bytes are no journal at all (no magic, no header entry).
    static bool decode(const QByteArray& bytes, Contents& contents);
    // Reads the file; false with the reason when it cannot be read or is no journal.
    static bool readFile(const QString& path, Contents& contents, QString* error = nullptr);
    // The journals left in `folder`, oldest first.
    static QStringList pending(const QString& folder);

    // The encoded entries, for tests and tools.
    enum Kind : uint8_t { HeaderEntry = 'H', SampleEntry = 'S', DotsEntry = 'D' };
    static QByteArray fileMagic();
    static QByteArray entry(Kind kind, const QByteArray& payload);

private:
    class Syncer;

    bool write(const QByteArray& bytes, QString* error);
    void closeFile();

    QString m_path;
    std::unique_ptr<class QFile> m_file;
    std::unique_ptr<Syncer> m_syncer;
    RecordHeader m_header;
    QList<AnalysisDot> m_dots;
    qsizetype m_samples = 0;
};
