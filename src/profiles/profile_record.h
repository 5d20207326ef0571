#pragma once

#include <cstdint>

#include <QtGlobal>

#include "profiles/profile_table.h"

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "ProfileRecord is read and written in host order");

// The packed file form of a profile row, as model.irl and the row copy buffer hold it.
// Text fields are a length byte and 20 bytes of GBK text, the rest zero. The floats are
// not in column order: T2 precedes S1 and T3 precedes S2.
#pragma pack(push, 1)
struct ProfileRecord
{
    static constexpr int TextCapacity = 20;

    uint8_t board[TextCapacity + 1];
    uint8_t component[TextCapacity + 1];
    uint8_t type[TextCapacity + 1];
    float T0;
    float TB;
    float T1;
    float T2;
    float S1;
    float TL;
    float T3;
    float S2;
    float S3;
    uint8_t sensor[TextCapacity + 1];
    uint8_t unit[TextCapacity + 1];
    uint8_t orientation[TextCapacity + 1];
    uint8_t shutterX[TextCapacity + 1];
    uint8_t shutterY[TextCapacity + 1];
    uint8_t K[4];
};
#pragma pack(pop)

static_assert(sizeof(ProfileRecord) == 208, "ProfileRecord is 208 bytes on disk");

// All bytes zero: empty texts and zeros.
ProfileRecord emptyProfileRecord();

// Texts cut to 20 bytes (never inside a two-byte character); numbers through CellNumber,
// low 16 bits as floats; K values low 8 bits.
ProfileRecord recordFromRow(const ProfileRow& row);
// Texts as texts, the floats and K bytes as numbers.
ProfileRow rowFromRecord(const ProfileRecord& record);
