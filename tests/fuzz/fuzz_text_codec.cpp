// The 8-bit text codec (GBK): decoding arbitrary bytes, cutting to a capacity, and the
// length-prefixed text fields of the files.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "shell/text_codec.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = TextCodec::fromAnsi(bytes);
    TextCodec::toAnsi(text);
    for (const int capacity : {3, 9, 20, 70}) {
        const QByteArray cut = TextCodec::toAnsiCut(text, capacity);
        FUZZ_CHECK(cut.size() <= capacity);
        QByteArray field(capacity + 1, '\0');
        std::memcpy(field.data(), bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), field.size())));
        TextCodec::readShortString(reinterpret_cast<const uint8_t*>(field.constData()), capacity);
        TextCodec::writeShortString(reinterpret_cast<uint8_t*>(field.data()), capacity, text);
        FUZZ_CHECK(uint8_t(field[0]) <= capacity);
        FUZZ_CHECK(TextCodec::readShortString(reinterpret_cast<const uint8_t*>(field.constData()), capacity)
                   == TextCodec::fromAnsi(TextCodec::toAnsiCut(text, capacity)));
    }
    return 0;
}
