#pragma once

#include <QByteArray>
#include <QString>

// The one place where 8-bit texts of files and the station become QString and back.
// The 8-bit code page is GBK: Chinese texts take two bytes a character, ASCII one.
namespace TextCodec {

QString fromAnsi(const QByteArray& bytes);
QByteArray toAnsi(const QString& text);

// At most `capacity` bytes, never ending in the first half of a two-byte character.
QByteArray toAnsiCut(const QString& text, int capacity);

// Length-prefixed field of 1 + capacity bytes: a length byte, then the characters, the rest
// zero. A length byte larger than the capacity (a damaged file) is read as the capacity.
QString readShortString(const uint8_t* field, int capacity);
void writeShortString(uint8_t* field, int capacity, const QString& text);

} // namespace TextCodec
