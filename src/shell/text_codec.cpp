#include "shell/text_codec.h"

#include <cstring>

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

namespace {
const char* const kCodePage = "GBK";

// A GBK lead byte opens a two-byte character.
bool isLeadByte(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}
} // namespace

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

QByteArray toAnsiCut(const QString& text, int capacity)
{
    QByteArray bytes = toAnsi(text);
    if (bytes.size() <= capacity)
        return bytes;
    // Walk character by character so that a cut never splits a two-byte character.
    int end = 0;
    while (end < capacity) {
        const int step = isLeadByte(static_cast<uint8_t>(bytes[end])) ? 2 : 1;
        if (end + step > capacity)
            break;
        end += step;
    }
    bytes.truncate(end);
    return bytes;
}

QString readShortString(const uint8_t* field, int capacity)
{
    int len = field[0];
    if (len > capacity)
        len = capacity;
    return fromAnsi(QByteArray(reinterpret_cast<const char*>(field + 1), len));
}

void writeShortString(uint8_t* field, int capacity, const QString& text)
{
    const QByteArray bytes = toAnsiCut(text, capacity);
    std::memset(field, 0, static_cast<size_t>(capacity) + 1);
    field[0] = static_cast<uint8_t>(bytes.size());
    std::memcpy(field + 1, bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace TextCodec
