#include "users/operation_log.h"

#include <cmath>
#include <cstring>

#include <QDir>

#include "records/header_display.h"
#include "records/le_bytes.h"
#include "records/record_header.h"
#include "shell/text_codec.h"
#include "users/users_io.h"

namespace {

constexpr int kTextsAt = 8;
constexpr int kFieldSize = 64;

const char* const kHeadingEnglish = "DateTime\tEmployee No.\tName\tDepartment\tRemark\tOld PCB\tNew PCB";

QByteArray fieldBytes(const uint8_t* field)
{
    int len = field[0];
    if (len > OperationRecord::kTextBytes)
        len = OperationRecord::kTextBytes;
    return QByteArray(reinterpret_cast<const char*>(field + 1), len);
}

} // namespace

QString OperationRecord::text(Field f) const
{
    return TextCodec::fromAnsi(fields[f]);
}

OperationRecord OperationRecord::fromBytes(const uint8_t* bytes)
{
    OperationRecord r;
    r.dateTime = LeBytes::readF64(bytes);
    for (int f = 0; f < FieldCount; ++f)
        r.fields[f] = fieldBytes(bytes + kTextsAt + f * kFieldSize);
    return r;
}

void OperationRecord::toBytes(uint8_t* bytes) const
{
    std::memset(bytes, 0, kSize);
    LeBytes::writeF64(bytes, dateTime);
    for (int f = 0; f < FieldCount; ++f) {
        uint8_t* field = bytes + kTextsAt + f * kFieldSize;
        const QByteArray& text = fields[f];
        const int len = text.size() > kTextBytes ? kTextBytes : int(text.size());
        field[0] = static_cast<uint8_t>(len);
        std::memcpy(field + 1, text.constData(), static_cast<size_t>(len));
    }
}

QString operationLogFile(const QString& programDir)
{
    return QDir(programDir).filePath(QStringLiteral("data/OpRec.dat"));
}

bool ReadOperationLog(const QString& logPath, QList<OperationRecord>& entries, UsersFileError* error, QString* damage)
{
    entries.clear();
    if (damage)
        damage->clear();
    QByteArray bytes;
    if (!UsersIo::readIfExists(logPath, bytes, error))
        return false;
    const int count = int(bytes.size() / OperationRecord::kSize);
    entries.reserve(count);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = data + i * OperationRecord::kSize;
        entries.append(OperationRecord::fromBytes(entry));
        if (!damage || !damage->isEmpty())
            continue;
        if (!std::isfinite(entries.last().dateTime) || !OleDate::toDateTime(entries.last().dateTime).isValid())
            *damage = QStringLiteral("entry %1 has no valid date").arg(i + 1);
        for (int f = 0; f < OperationRecord::FieldCount && damage->isEmpty(); ++f) {
            if (entry[kTextsAt + f * kFieldSize] > OperationRecord::kTextBytes)
                *damage = QStringLiteral("entry %1 has a text length of %2 bytes (at most 63)")
                              .arg(i + 1)
                              .arg(entry[kTextsAt + f * kFieldSize]);
        }
    }
    const int rest = int(bytes.size() % OperationRecord::kSize);
    if (damage && damage->isEmpty() && rest != 0)
        *damage = QStringLiteral("%1 bytes after the last whole entry of %2 bytes").arg(rest).arg(OperationRecord::kSize);
    return true;
}

bool AppendOperationRecord(const QString& logPath, const OperationTexts& texts, const QDateTime& when,
                           UsersFileError* error)
{
    QByteArray bytes;
    if (!UsersIo::readIfExists(logPath, bytes, error))
        return false;
    bytes.truncate(bytes.size() - bytes.size() % OperationRecord::kSize);

    OperationRecord entry;
    entry.dateTime = OleDate::fromDateTime(when);
    const QString* source[OperationRecord::FieldCount] = {&texts.employeeNo, &texts.name, &texts.department,
                                                          &texts.remark, &texts.oldProfile, &texts.newProfile};
    for (int f = 0; f < OperationRecord::FieldCount; ++f)
        entry.fields[f] = TextCodec::toAnsiCut(*source[f], OperationRecord::kTextBytes);
    QByteArray added(OperationRecord::kSize, '\0');
    entry.toBytes(reinterpret_cast<uint8_t*>(added.data()));
    bytes += added;
    return UsersIo::writeWhole(logPath, bytes, error);
}

bool AppendOperationRecord(const QString& logPath, const OperationTexts& texts, UsersFileError* error)
{
    return AppendOperationRecord(logPath, texts, QDateTime::currentDateTime(), error);
}

QString operationDateText(double dateTime)
{
    return HeaderDisplay::formatDate(dateTime);
}

QByteArray OperationLogText(const QList<OperationRecord>& entries, Language language)
{
    const QByteArray crlf("\r\n");
    QByteArray out = language == Language::English
        ? QByteArray(kHeadingEnglish)
        : TextCodec::toAnsi(QStringLiteral("日期\t工号\t姓名\t部门\t备注\t旧流程\t新流程"));
    out += crlf;
    for (const OperationRecord& e : entries) {
        out += TextCodec::toAnsi(operationDateText(e.dateTime));
        for (const QByteArray& field : e.fields) {
            out += '\t';
            out += field;
        }
        out += crlf;
    }
    return out;
}

bool ExportOperationRecord(const QString& logPath, const QString& targetPath, Language language,
                           UsersFileError* error)
{
    QList<OperationRecord> entries;
    if (!ReadOperationLog(logPath, entries, error))
        return false;
    return UsersIo::writeWhole(targetPath, OperationLogText(entries, language), error);
}
