#include "profiles/profile_record.h"

#include <cstddef>
#include <cstring>

#include "shell/text_codec.h"

namespace {

struct TextField
{
    int column;
    size_t offset;
};

const TextField kTextFields[] = {
    { ProfileColumn::Board, offsetof(ProfileRecord, board) },
    { ProfileColumn::Component, offsetof(ProfileRecord, component) },
    { ProfileColumn::Type, offsetof(ProfileRecord, type) },
    { ProfileColumn::Sensor, offsetof(ProfileRecord, sensor) },
    { ProfileColumn::Unit, offsetof(ProfileRecord, unit) },
    { ProfileColumn::Orientation, offsetof(ProfileRecord, orientation) },
    { ProfileColumn::ShutterX, offsetof(ProfileRecord, shutterX) },
    { ProfileColumn::ShutterY, offsetof(ProfileRecord, shutterY) },
};

struct FloatField
{
    int column;
    size_t offset;
};

const FloatField kFloatFields[] = {
    { ProfileColumn::T0, offsetof(ProfileRecord, T0) }, { ProfileColumn::TB, offsetof(ProfileRecord, TB) },
    { ProfileColumn::T1, offsetof(ProfileRecord, T1) }, { ProfileColumn::T2, offsetof(ProfileRecord, T2) },
    { ProfileColumn::S1, offsetof(ProfileRecord, S1) }, { ProfileColumn::TL, offsetof(ProfileRecord, TL) },
    { ProfileColumn::T3, offsetof(ProfileRecord, T3) }, { ProfileColumn::S2, offsetof(ProfileRecord, S2) },
    { ProfileColumn::S3, offsetof(ProfileRecord, S3) },
};

} // namespace

ProfileRecord emptyProfileRecord()
{
    ProfileRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

ProfileRecord recordFromRow(const ProfileRow& row)
{
    ProfileRecord rec = emptyProfileRecord();
    auto* bytes = reinterpret_cast<uint8_t*>(&rec);
    for (const TextField& f : kTextFields)
        TextCodec::writeShortString(bytes + f.offset, ProfileRecord::TextCapacity, cellText(row[f.column - 1]));
    for (const FloatField& f : kFloatFields) {
        const float v = static_cast<float>(cellWord(row[f.column - 1]));
        std::memcpy(bytes + f.offset, &v, sizeof v);
    }
    for (int i = 0; i < 4; ++i)
        rec.K[i] = cellByte(row[ProfileColumn::K1 - 1 + i]);
    return rec;
}

ProfileRow rowFromRecord(const ProfileRecord& rec)
{
    ProfileRow row;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&rec);
    for (const TextField& f : kTextFields)
        row[f.column - 1] = TextCodec::readShortString(bytes + f.offset, ProfileRecord::TextCapacity);
    for (const FloatField& f : kFloatFields) {
        float v = 0;
        std::memcpy(&v, bytes + f.offset, sizeof v);
        row[f.column - 1] = static_cast<double>(v);
    }
    for (int i = 0; i < 4; ++i)
        row[ProfileColumn::K1 - 1 + i] = static_cast<int>(rec.K[i]);
    return row;
}
