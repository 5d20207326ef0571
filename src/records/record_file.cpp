#include "records/record_file.h"

#include <cstring>

#include <QFile>

#include "records/le_bytes.h"
#include "shell/save_file.h"

namespace RecordFile {

namespace {

constexpr int kMaxCount = 0xFFFF;
// The largest file a record can make; nothing beyond it is read.
constexpr qint64 kMaxFileSize = RecordHeader::Size + 4
    + qint64(kMaxCount) * (RecordSample::FileSize + AnalysisDot::FileSize);

HeaderVariant variantOf(const QByteArray& bytes)
{
    const auto starts = [&](const char* prefix, int n) {
        return bytes.size() >= n && std::memcmp(bytes.constData(), prefix, static_cast<size_t>(n)) == 0;
    };
    if (starts("\x03" "2.1", 4) || starts("\x04" "2.14", 5))
        return HeaderVariant::Current;
    if (starts("\x03" "2.0", 4))
        return HeaderVariant::Version20;
    return HeaderVariant::Unversioned;
}

int headerSizeOf(HeaderVariant v)
{
    switch (v) {
    case HeaderVariant::Current: return RecordHeader::Size;
    case HeaderVariant::Version20: return 4 + RecordHeader::BodySize;
    case HeaderVariant::Unversioned: return RecordHeader::BodySize;
    }
    return RecordHeader::Size;
}

} // namespace

QByteArray encode(const Recording& record, QString* error)
{
    if (record.samples.size() > kMaxCount || record.dots.size() > kMaxCount) {
        if (error)
            *error = QStringLiteral("A record file holds at most 65535 samples and dots.");
        return QByteArray();
    }
    const qsizetype n = record.samples.size();
    const qsizetype m = record.dots.size();
    QByteArray bytes(RecordHeader::Size + 2 + n * RecordSample::FileSize + 2 + m * AnalysisDot::FileSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    record.header.write(p);
    p += RecordHeader::Size;
    LeBytes::writeU16(p, static_cast<uint16_t>(n));
    p += 2;
    for (const RecordSample& s : record.samples) {
        s.write(p);
        p += RecordSample::FileSize;
    }
    LeBytes::writeU16(p, static_cast<uint16_t>(m));
    p += 2;
    for (const AnalysisDot& d : record.dots) {
        d.write(p);
        p += AnalysisDot::FileSize;
    }
    return bytes;
}

bool decode(const QByteArray& bytes, Recording& record, HeaderVariant* variantOut)
{
    const HeaderVariant variant = variantOf(bytes);
    const qsizetype headerSize = headerSizeOf(variant);
    const auto* base = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype size = bytes.size();

    qsizetype at = headerSize;
    if (size < at + 2)
        return false;
    const int n = LeBytes::readU16(base + at);
    at += 2;
    if (size < at + qsizetype(n) * RecordSample::FileSize + 2)
        return false;
    QList<RecordSample> samples;
    samples.reserve(n);
    for (int i = 0; i < n; ++i, at += RecordSample::FileSize)
        samples.append(RecordSample::read(base + at));
    const int m = LeBytes::readU16(base + at);
    at += 2;
    if (size < at + qsizetype(m) * AnalysisDot::FileSize)
        return false;
    QList<AnalysisDot> dots;
    dots.reserve(m);
    for (int i = 0; i < m; ++i, at += AnalysisDot::FileSize)
        dots.append(AnalysisDot::read(base + at));

    switch (variant) {
    case HeaderVariant::Current: record.header = RecordHeader::read(base); break;
    case HeaderVariant::Version20: record.header = RecordHeader::readBody(base + 4); break;
    case HeaderVariant::Unversioned: record.header = RecordHeader::readBody(base); break;
    }
    record.samples = std::move(samples);
    record.dots = std::move(dots);
    if (variantOut)
        *variantOut = variant;
    return true;
}

bool salvage(const QByteArray& bytes, Recording& record, Salvage* info)
{
    Recording probe;
    if (decode(bytes, probe))
        return false;
    const HeaderVariant variant = variantOf(bytes);
    const qsizetype headerSize = headerSizeOf(variant);
    const auto* base = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < headerSize)
        return false;
    Salvage got;
    QList<RecordSample> samples;
    QList<AnalysisDot> dots;
    qsizetype at = headerSize;
    if (size >= at + 2) {
        got.samplesPromised = LeBytes::readU16(base + at);
        at += 2;
        for (; got.samplesRead < got.samplesPromised && size - at >= RecordSample::FileSize; ++got.samplesRead) {
            samples.append(RecordSample::read(base + at));
            at += RecordSample::FileSize;
        }
        if (got.samplesRead == got.samplesPromised && size >= at + 2) {
            got.dotsPromised = LeBytes::readU16(base + at);
            at += 2;
            for (; got.dotsRead < got.dotsPromised && size - at >= AnalysisDot::FileSize; ++got.dotsRead) {
                dots.append(AnalysisDot::read(base + at));
                at += AnalysisDot::FileSize;
            }
        }
    }
    switch (variant) {
    case HeaderVariant::Current: record.header = RecordHeader::read(base); break;
    case HeaderVariant::Version20: record.header = RecordHeader::readBody(base + 4); break;
    case HeaderVariant::Unversioned: record.header = RecordHeader::readBody(base); break;
    }
    record.samples = std::move(samples);
    record.dots = std::move(dots);
    if (info)
        *info = got;
    return true;
}

} // namespace RecordFile

bool SaveRecord(Recording& record, const QString& path, const OperatorInputs& inputs, double now, QString* error)
{
    record.fileName = path;
    record.CollectHeader(inputs, now);
    QString encodeError;
    const QByteArray bytes = RecordFile::encode(record, &encodeError);
    if (bytes.isEmpty()) {
        if (error)
            *error = encodeError;
        return false;
    }
    return SaveFile::writeWhole(path, bytes, error);
}

bool LoadRecord(Recording& record, const QString& path)
{
    record.samples.clear();
    record.dots.clear();
    record.fileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(RecordFile::kMaxFileSize);
    if (file.error() != QFileDevice::NoError)
        return false;
    return RecordFile::decode(bytes, record);
}

bool SalvageRecord(Recording& record, const QString& path, RecordFile::Salvage* info)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(RecordFile::kMaxFileSize);
    if (file.error() != QFileDevice::NoError || !RecordFile::salvage(bytes, record, info))
        return false;
    record.fileName.clear();
    record.isNewRecord = false;
    record.savedOrLoaded = false;
    return true;
}
