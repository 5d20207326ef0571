#include "tamselcrc.h"

/* Entry i is the carry-less product of i and 0x1021: one nibble of the polynomial division. */
static const uint16_t kNibbleTable[16] = {
    0x0000, 0x1021, 0x2042, 0x3063, 0x4084, 0x50A5, 0x60C6, 0x70E7,
    0x8108, 0x9129, 0xA14A, 0xB16B, 0xC18C, 0xD1AD, 0xE1CE, 0xF1EF,
};

TAMSELCRC_API uint16_t TAMSELCRC_CALL GetCRC(const uint8_t* data, uint8_t count)
{
    uint16_t crc = 0;
    unsigned n = count; /* the count is a byte: 256 arrives here as 0 */
    for (unsigned i = 0; i < n; ++i) {
        const uint8_t b = data[i];
        crc = (uint16_t)((uint16_t)(crc << 4) ^ kNibbleTable[(crc >> 12) ^ (b >> 4)]);
        crc = (uint16_t)((uint16_t)(crc << 4) ^ kNibbleTable[(crc >> 12) ^ (b & 0x0F)]);
    }
    return crc;
}
