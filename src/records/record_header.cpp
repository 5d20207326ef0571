#include "records/record_header.h"

#include <cmath>
#include <cstring>

#include "records/le_bytes.h"
#include "shell/text_codec.h"

namespace {

using namespace LeBytes;

// A field of capacity n takes n + 1 bytes: the length byte, the characters, zero filler.
void writeText(uint8_t* field, int capacity, const QByteArray& bytes)
{
    std::memset(field, 0, static_cast<size_t>(capacity) + 1);
    const int n = qMin<int>(bytes.size(), capacity);
    field[0] = static_cast<uint8_t>(n);
    std::memcpy(field + 1, bytes.constData(), static_cast<size_t>(n));
}

// A length byte beyond the capacity (a damaged file) is read as the capacity.
QByteArray readText(const uint8_t* field, int capacity)
{
    const int n = qMin<int>(field[0], capacity);
    return QByteArray(reinterpret_cast<const char*>(field + 1), n);
}

// Offsets of the body fields relative to recordDate.
enum Body : int {
    RecordDate = 0,
    OperatorName = 8,
    BoardName = 29,
    ComponentName = 50,
    Desoldering = 71,
    ReservedText = 72,
    OrientationAt = 82,
    ShutterXAt = 83,
    ShutterYAt = 84,
    FlowAt = 85,
    T2At = 86,
    SensorIR = 90,
    T1At = 91,
    T3At = 95,
    TLAt = 99,
    S1At = 103,
    S2At = 107,
    S3At = 111,
    Celsius = 115,
    Headline = 116,
    T0At = 187,
    TBAt = 191,
    SampleInterval = 195,
};

void writeBody(const RecordHeader& h, uint8_t* b)
{
    writeF64(b + RecordDate, h.recordDate);
    writeText(b + OperatorName, RecordHeader::NameCapacity, h.operatorName);
    writeText(b + BoardName, RecordHeader::NameCapacity, h.boardName);
    writeText(b + ComponentName, RecordHeader::NameCapacity, h.componentName);
    b[Desoldering] = h.desoldering;
    writeText(b + ReservedText, RecordHeader::ReservedTextCapacity, h.reservedText);
    b[OrientationAt] = h.Orientation;
    b[ShutterXAt] = h.ShutterX;
    b[ShutterYAt] = h.ShutterY;
    b[FlowAt] = h.Flow;
    writeF32(b + T2At, h.T2);
    b[SensorIR] = h.sensorIR;
    writeF32(b + T1At, h.T1);
    writeF32(b + T3At, h.T3);
    writeF32(b + TLAt, h.TL);
    writeF32(b + S1At, h.S1);
    writeF32(b + S2At, h.S2);
    writeF32(b + S3At, h.S3);
    b[Celsius] = h.celsius;
    writeText(b + Headline, RecordHeader::HeadlineCapacity, h.headline);
    writeF32(b + T0At, h.T0);
    writeF32(b + TBAt, h.TB);
    writeF32(b + SampleInterval, h.sampleInterval);
}

void readBodyInto(RecordHeader& h, const uint8_t* b)
{
    h.recordDate = readF64(b + RecordDate);
    h.operatorName = readText(b + OperatorName, RecordHeader::NameCapacity);
    h.boardName = readText(b + BoardName, RecordHeader::NameCapacity);
    h.componentName = readText(b + ComponentName, RecordHeader::NameCapacity);
    h.desoldering = b[Desoldering];
    h.reservedText = readText(b + ReservedText, RecordHeader::ReservedTextCapacity);
    h.Orientation = b[OrientationAt];
    h.ShutterX = b[ShutterXAt];
    h.ShutterY = b[ShutterYAt];
    h.Flow = b[FlowAt];
    h.T2 = readF32(b + T2At);
    h.sensorIR = b[SensorIR];
    h.T1 = readF32(b + T1At);
    h.T3 = readF32(b + T3At);
    h.TL = readF32(b + TLAt);
    h.S1 = readF32(b + S1At);
    h.S2 = readF32(b + S2At);
    h.S3 = readF32(b + S3At);
    h.celsius = b[Celsius];
    h.headline = readText(b + Headline, RecordHeader::HeadlineCapacity);
    h.T0 = readF32(b + T0At);
    h.TB = readF32(b + TBAt);
    h.sampleInterval = readF32(b + SampleInterval);
}

} // namespace

void RecordHeader::write(uint8_t* out) const
{
    std::memset(out, 0, Size);
    // The version is compared with its length byte, so a "2.14" read from a file keeps its
    // length 4; its fourth character is the overlayOn byte that follows.
    out[0] = static_cast<uint8_t>(version.size());
    std::memcpy(out + 1, version.constData(), static_cast<size_t>(qMin<int>(version.size(), VersionCapacity)));
    out[4] = overlayOn;
    out[5] = overlayFromEntry;
    writeF32(out + 6, overlayTime);
    writeBody(*this, out + BodyOffset);
    std::memcpy(out + 209, reserved.data(), reserved.size());
}

RecordHeader RecordHeader::read(const uint8_t* in)
{
    RecordHeader h;
    // Up to one character beyond the capacity, which is how "2.14" reaches into overlayOn.
    const int n = qMin<int>(in[0], VersionCapacity + 1);
    h.version = QByteArray(reinterpret_cast<const char*>(in + 1), n);
    h.overlayOn = in[4];
    h.overlayFromEntry = in[5];
    h.overlayTime = readF32(in + 6);
    readBodyInto(h, in + BodyOffset);
    std::memcpy(h.reserved.data(), in + 209, h.reserved.size());
    return h;
}

RecordHeader RecordHeader::readBody(const uint8_t* body)
{
    RecordHeader h;
    h.version.clear();
    readBodyInto(h, body);
    h.overlayOn = 0;
    return h;
}

void RecordHeader::setOperatorInputs(const OperatorInputs& inputs)
{
    for (OperatorField f : {OperatorField::Operator, OperatorField::Board, OperatorField::Component,
                            OperatorField::Headline, OperatorField::ProfileType, OperatorField::Orientation,
                            OperatorField::ShutterX, OperatorField::ShutterY})
        applyOperatorField(f, inputs);
}

void RecordHeader::applyOperatorField(OperatorField field, const OperatorInputs& in)
{
    switch (field) {
    case OperatorField::Operator: operatorName = cut(in.operatorName, NameCapacity); break;
    case OperatorField::Board: boardName = cut(in.boardName, NameCapacity); break;
    case OperatorField::Component: componentName = cut(in.componentName, NameCapacity); break;
    case OperatorField::Headline: headline = cut(in.headline, HeadlineCapacity); break;
    case OperatorField::ProfileType: desoldering = in.profileTypeIndex == 1 ? 1 : 0; break;
    case OperatorField::Orientation: Orientation = static_cast<uint8_t>(in.orientation); break;
    case OperatorField::ShutterX: ShutterX = static_cast<uint8_t>(in.shutterX); break;
    case OperatorField::ShutterY: ShutterY = static_cast<uint8_t>(in.shutterY); break;
    }
}

OperatorInputs RecordHeader::operatorInputs() const
{
    OperatorInputs in;
    in.operatorName = text(operatorName);
    in.boardName = text(boardName);
    in.componentName = text(componentName);
    in.headline = text(headline);
    in.profileTypeIndex = desoldering;
    in.orientation = Orientation;
    in.shutterX = ShutterX;
    in.shutterY = ShutterY;
    return in;
}

QString RecordHeader::text(const QByteArray& field)
{
    return TextCodec::fromAnsi(field);
}

QByteArray RecordHeader::cut(const QString& text, int capacity)
{
    return TextCodec::toAnsiCut(text, capacity);
}

bool RecordHeader::operator==(const RecordHeader& o) const
{
    uint8_t a[Size];
    uint8_t b[Size];
    write(a);
    o.write(b);
    return std::memcmp(a, b, Size) == 0 && version == o.version;
}

namespace OleDate {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

double fromDateTime(const QDateTime& dt)
{
    const QDate d = dt.date();
    const double days = static_cast<double>(kEpoch.daysTo(d));
    const double fraction = dt.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime toDateTime(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QDateTime();
    const double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    qint64 wholeDays = static_cast<qint64>(whole);
    if (ms >= static_cast<qint64>(kMsPerDay)) {
        ms -= static_cast<qint64>(kMsPerDay);
        wholeDays += days >= 0 ? 1 : -1;
    }
    return QDateTime(kEpoch.addDays(wholeDays), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace OleDate
