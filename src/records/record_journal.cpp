#include "records/record_journal.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "records/le_bytes.h"
#include "records/record_journal_sync.h"

namespace {

constexpr int kEntryHead = 3;   // kind, u16 payload length
constexpr int kEntryTail = 4;   // u32 CRC-32
constexpr int kSamplePayload = 4 + RecordSample::FileSize;
// Far beyond the largest journal a recording makes (65535 samples); nothing more is read.
constexpr qint64 kMaxJournalSize = 64 * 1024 * 1024;

std::array<uint32_t, 256> makeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

// CRC-32 as zip and PNG compute it.
uint32_t crc32(const char* data, qsizetype size)
{
    static const std::array<uint32_t, 256> table = makeCrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = table[(c ^ static_cast<uint8_t>(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray headerPayload(const RecordHeader& header)
{
    QByteArray p(RecordHeader::Size, '\0');
    header.write(reinterpret_cast<uint8_t*>(p.data()));
    return p;
}

QByteArray samplePayload(qsizetype index, const RecordSample& sample)
{
    QByteArray p(kSamplePayload, '\0');
    auto* d = reinterpret_cast<uint8_t*>(p.data());
    LeBytes::writeU32(d, static_cast<uint32_t>(index));
    sample.write(d + 4);
    return p;
}

QByteArray dotsPayload(const QList<AnalysisDot>& dots)
{
    const qsizetype n = std::min<qsizetype>(dots.size(), 0xFFFF);
    QByteArray p(2 + n * AnalysisDot::FileSize, '\0');
    auto* d = reinterpret_cast<uint8_t*>(p.data());
    LeBytes::writeU16(d, static_cast<uint16_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        dots[i].write(d + 2 + i * AnalysisDot::FileSize);
    return p;
}

} // namespace

// Syncs the journal file to the disk about once a second while new entries are waiting,
// away from the thread that samples.
class RecordJournal::Syncer
{
public:
    explicit Syncer(int fd)
        : m_fd(fd)
        , m_thread([this] { run(); })
    {
    }
    ~Syncer()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void markDirty() { m_dirty.store(true, std::memory_order_relaxed); }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; });
            if (m_dirty.exchange(false))
                syncFileToDisk(m_fd);
        }
    }

    int m_fd;
    std::atomic<bool> m_dirty{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

RecordJournal::RecordJournal() = default;

RecordJournal::~RecordJournal()
{
    closeFile();
}

QByteArray RecordJournal::fileMagic()
{
    return QByteArray("TJNL\x01\x00\x00\x00", 8);
}

QByteArray RecordJournal::entry(Kind kind, const QByteArray& payload)
{
    QByteArray e(kEntryHead + payload.size() + kEntryTail, '\0');
    auto* d = reinterpret_cast<uint8_t*>(e.data());
    d[0] = kind;
    LeBytes::writeU16(d + 1, static_cast<uint16_t>(payload.size()));
    std::memcpy(d + kEntryHead, payload.constData(), static_cast<size_t>(payload.size()));
    LeBytes::writeU32(d + kEntryHead + payload.size(), crc32(e.constData(), kEntryHead + payload.size()));
    return e;
}

bool RecordJournal::start(const QString& folder, const Recording& record, QString* error)
{
    discard();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot make the folder %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QString stem = QStringLiteral("record-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    auto file = std::make_unique<QFile>();
    for (int n = 0; n < 100; ++n) {
        // The counter keeps names of the same millisecond in the order they were made.
        file->setFileName(QDir(folder).filePath(stem + QStringLiteral("-%1").arg(n, 2, 10, QLatin1Char('0')) + Suffix));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
    }
    if (!file->isOpen()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file->fileName()), file->errorString());
        return false;
    }
    m_path = file->fileName();
    m_file = std::move(file);
    m_syncer = std::make_unique<Syncer>(m_file->handle());
    m_header = record.header;
    m_dots = record.dots;
    m_samples = 0;
    QByteArray bytes = fileMagic() + entry(HeaderEntry, headerPayload(m_header));
    if (!m_dots.isEmpty())
        bytes += entry(DotsEntry, dotsPayload(m_dots));
    for (; m_samples < record.samples.size(); ++m_samples)
        bytes += entry(SampleEntry, samplePayload(m_samples, record.samples[m_samples]));
    return write(bytes, error);
}

bool RecordJournal::update(const Recording& record, QString* error)
{
    if (!m_file)
        return true;
    QByteArray bytes;
    if (record.header != m_header) {
        m_header = record.header;
        bytes += entry(HeaderEntry, headerPayload(m_header));
    }
    if (record.dots != m_dots) {
        m_dots = record.dots;
        bytes += entry(DotsEntry, dotsPayload(m_dots));
    }
    for (; m_samples < record.samples.size(); ++m_samples)
        bytes += entry(SampleEntry, samplePayload(m_samples, record.samples[m_samples]));
    return bytes.isEmpty() || write(bytes, error);
}

bool RecordJournal::write(const QByteArray& bytes, QString* error)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_file->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_path), m_file->errorString());
            closeFile();
            return false;
        }
        done += static_cast<qsizetype>(n);
    }
    m_syncer->markDirty();
    return true;
}

void RecordJournal::closeFile()
{
    m_syncer.reset();
    if (m_file) {
        syncFileToDisk(m_file->handle());
        m_file->close();
        m_file.reset();
    }
}

void RecordJournal::discard()
{
    m_syncer.reset();
    if (m_file) {
        m_file->close();
        m_file.reset();
        QFile::remove(m_path);
    }
    m_path.clear();
    m_samples = 0;
}

bool RecordJournal::decode(const QByteArray& bytes, Contents& contents)
{
    contents = Contents();
    const QByteArray magic = fileMagic();
    if (!bytes.startsWith(magic))
        return false;
    const auto* base = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype at = magic.size();
    bool haveHeader = false;
    Recording& r = contents.record;
    while (at < size) {
        if (size - at < kEntryHead + kEntryTail) {
            contents.torn = true;
            break;
        }
        const uint8_t kind = base[at];
        const qsizetype length = LeBytes::readU16(base + at + 1);
        if (size - at < kEntryHead + length + kEntryTail
            || LeBytes::readU32(base + at + kEntryHead + length) != crc32(bytes.constData() + at, kEntryHead + length)) {
            contents.torn = true;
            break;
        }
        const uint8_t* p = base + at + kEntryHead;
        bool fits = true;
        if (!haveHeader && kind != HeaderEntry) {
            fits = false;
        } else if (kind == HeaderEntry) {
            fits = length == RecordHeader::Size;
            if (fits) {
                r.header = RecordHeader::read(p);
                haveHeader = true;
            }
        } else if (kind == SampleEntry) {
            // Samples come in order; an index out of turn means the file is not what it says.
            fits = length == kSamplePayload && LeBytes::readU32(p) == uint32_t(r.samples.size());
            if (fits)
                r.samples.append(RecordSample::read(p + 4));
        } else if (kind == DotsEntry) {
            const qsizetype n = length >= 2 ? LeBytes::readU16(p) : -1;
            fits = n >= 0 && length == 2 + n * AnalysisDot::FileSize;
            if (fits) {
                r.dots.clear();
                for (qsizetype i = 0; i < n; ++i)
                    r.dots.append(AnalysisDot::read(p + 2 + i * AnalysisDot::FileSize));
            }
        }
        // Entries of other kinds, from a later program, are skipped.
        if (!fits) {
            contents.torn = true;
            break;
        }
        ++contents.entries;
        at += kEntryHead + length + kEntryTail;
    }
    if (!haveHeader)
        return false;
    r.isNewRecord = false;
    r.savedOrLoaded = false;
    r.fileName.clear();
    return true;
}

bool RecordJournal::readFile(const QString& path, Contents& contents, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.read(kMaxJournalSize);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!decode(bytes, contents)) {
        if (error)
            *error = QStringLiteral("not a recording journal, or damaged at its start");
        return false;
    }
    return true;
}

QStringList RecordJournal::pending(const QString& folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}
