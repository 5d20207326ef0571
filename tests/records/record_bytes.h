#pragma once

#include <cstring>

#include <QByteArray>

// Record files built by hand from the layout, field by field, for the file tests.
namespace RecordBytes {

inline void putF32(QByteArray& b, int at, float v)
{
    std::memcpy(b.data() + at, &v, 4); // the machine is little-endian, as the file
}
inline void putF64(QByteArray& b, int at, double v)
{
    std::memcpy(b.data() + at, &v, 8);
}
inline void putText(QByteArray& b, int at, const QByteArray& text)
{
    b[at] = char(text.size());
    std::memcpy(b.data() + at + 1, text.constData(), size_t(text.size()));
}
inline void putU16(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

// The 199-byte body: recordDate through sampleInterval, with distinct values.
inline QByteArray body()
{
    QByteArray b(199, '\0');
    putF64(b, 0, 45000.5);
    putText(b, 8, "Zhang");
    putText(b, 29, "PCB-7");
    putText(b, 50, "BGA256");
    b[71] = 1;
    putText(b, 72, "abc");
    b[82] = 2;
    b[83] = 5;
    b[84] = 7;
    b[85] = 3;
    putF32(b, 86, 140);
    b[90] = 1;
    putF32(b, 91, 120);
    putF32(b, 95, 195);
    putF32(b, 99, 183);
    putF32(b, 103, 50);
    putF32(b, 107, 45);
    putF32(b, 111, 15);
    b[115] = 1;
    putText(b, 116, "Rework of U3");
    putF32(b, 187, 100);
    putF32(b, 191, 150);
    putF32(b, 195, 0.5f);
    return b;
}

// The 213-byte current header around the body.
inline QByteArray current(const QByteArray& version = QByteArray("\x03" "2.1", 4), int overlayOn = 1,
                          int fromEntry = 1, float overlayTime = 42.5f)
{
    QByteArray h(213, '\0');
    std::memcpy(h.data(), version.constData(), size_t(qMin(5, int(version.size()))));
    if (version.size() < 5)
        h[4] = char(overlayOn);
    h[5] = char(fromEntry);
    putF32(h, 6, overlayTime);
    h.replace(10, 199, body());
    h[209] = 9; // reserved bytes read from a file stay in place
    h[212] = 4;
    return h;
}

inline QByteArray sample(float time, float tc, float tb, float dT, const char flags[8])
{
    QByteArray s(24, '\0');
    putF32(s, 0, time);
    putF32(s, 4, tc);
    putF32(s, 8, tb);
    putF32(s, 12, dT);
    std::memcpy(s.data() + 16, flags, 8);
    return s;
}

inline QByteArray dot(float time, float tc, float tb)
{
    QByteArray d(12, '\0');
    putF32(d, 0, time);
    putF32(d, 4, tc);
    putF32(d, 8, tb);
    return d;
}

// Two samples and one dot behind any header.
inline QByteArray tail()
{
    QByteArray t(2, '\0');
    putU16(t, 0, 2);
    t += sample(0, 25, 30, 0, "\x01\x00\x01\x00\x01\x00\x01\x00");
    t += sample(0.5f, 27, 31, 2, "\x00\x01\x00\x01\x00\x01\x00\x01");
    QByteArray m(2, '\0');
    putU16(m, 0, 1);
    t += m + dot(0, 25, 30);
    return t;
}

} // namespace RecordBytes
