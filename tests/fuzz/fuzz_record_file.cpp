// The record file reader (*.sld), its salvage of cut files, and the drawings of what it read.

#include <QGuiApplication>
#include <QImage>

#include "fuzz_common.h"
#include "records/header_display.h"
#include "records/mini_profile.h"
#include "records/record_chart.h"
#include "records/record_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    Recording r;
    if (!RecordFile::decode(bytes, r)) {
        RecordFile::Salvage info;
        if (!RecordFile::salvage(bytes, r, &info))
            return 0;
        FUZZ_CHECK(info.samplesRead == r.samples.size() && info.dotsRead == r.dots.size());
        FUZZ_CHECK(info.samplesPromised < 0 || info.samplesRead <= info.samplesPromised);
    }
    HeaderDisplay::of(r, Language::English);
    HeaderDisplay::of(r, Language::Chinese);
    // Drawing is where values no chart can hold went wrong; long records only cost time.
    if (r.samples.size() <= 500) {
        static QImage chart = RecordChart::newImage();
        RecordChart::DrawChart(chart, r, r.header.sampleInterval, ChartStyle());
        static QImage mini(300, 150, QImage::Format_RGB32);
        DrawMiniProfile(mini, r.header, QStringLiteral("\u2103"));
    }
    // Saved again, it reads back to the same bytes (compared as bytes: a sample may hold NaN).
    r.header.version = "2.1";
    const QByteArray again = RecordFile::encode(r);
    if (!again.isEmpty()) {
        Recording back;
        FUZZ_CHECK(RecordFile::decode(again, back));
        FUZZ_CHECK(RecordFile::encode(back) == again);
    }
    return 0;
}
