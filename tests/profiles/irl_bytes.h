#pragma once

#include <cstring>

#include <QByteArray>
#include <QFile>
#include <QString>

// model.irl images built byte by byte from the record layout, independent of the program's
// own record struct.
namespace IrlBytes {

inline QByteArray text(const QByteArray& bytes)
{
    QByteArray f(21, '\0');
    f[0] = char(bytes.size());
    std::memcpy(f.data() + 1, bytes.constData(), size_t(bytes.size()));
    return f;
}

inline QByteArray f32(float v)
{
    QByteArray b(4, '\0');
    std::memcpy(b.data(), &v, 4);
    return b;
}

struct Record
{
    QByteArray board, component, type; // GBK bytes
    float T0 = 0, TB = 0, T1 = 0, S1 = 0, T2 = 0, TL = 0, S2 = 0, T3 = 0, S3 = 0;
    QByteArray sensor, unit, orientation, shutterX, shutterY;
    uint8_t k[4] = { 0, 0, 0, 0 };
};

inline QByteArray record(const Record& r)
{
    QByteArray b;
    b += text(r.board);
    b += text(r.component);
    b += text(r.type);
    // T2 before S1, T3 before S2.
    for (float v : { r.T0, r.TB, r.T1, r.T2, r.S1, r.TL, r.T3, r.S2, r.S3 })
        b += f32(v);
    b += text(r.sensor);
    b += text(r.unit);
    b += text(r.orientation);
    b += text(r.shutterX);
    b += text(r.shutterY);
    b.append(reinterpret_cast<const char*>(r.k), 4);
    return b;
}

inline QByteArray file(const QList<Record>& records, int count = -1)
{
    if (count < 0)
        count = int(records.size());
    QByteArray b;
    b.append(char(count & 0xFF));
    b.append(char(count >> 8));
    for (const Record& r : records)
        b += record(r);
    return b;
}

// The default profile of the table, as a desoldering row in Chinese texts.
inline Record sampleChinese()
{
    Record r;
    r.board = "MB-2040";
    r.component = "BGA U7";
    r.type = "\xB2\xF0\xBA\xB8"; // 拆焊
    r.T0 = 100; r.TB = 150; r.T1 = 120; r.S1 = 50; r.T2 = 140; r.TL = 183; r.S2 = 45; r.T3 = 195; r.S3 = 15;
    r.sensor = "IR";
    r.unit = "\xA1\xE6"; // ℃
    r.orientation = "left up";
    r.shutterX = "2.5*10mm";
    r.shutterY = "5.5*10mm";
    r.k[2] = 128;
    r.k[3] = 63;
    return r;
}

inline Record sampleEnglish()
{
    Record r;
    r.board = "\xD6\xF7\xB0\xE5"; // 主板
    r.component = "QFP";
    r.type = "Soldering";
    r.T0 = 90; r.TB = 140; r.T1 = 110; r.S1 = 0; r.T2 = 150; r.TL = 190; r.S2 = 60; r.T3 = 230; r.S3 = 20;
    r.sensor = "Thermocouple";
    r.unit = "\xA8\x48"; // ℉
    r.orientation = "right down";
    r.shutterX = "6.0*10mm";
    r.shutterY = "2.0*10mm";
    r.k[0] = 7;
    r.k[1] = 255;
    return r;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace IrlBytes
