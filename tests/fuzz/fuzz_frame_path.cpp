// The receive path on an arbitrary byte stream: frame assembler, checksum, status decoder,
// and the recording fed from the frames.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "link/frame_assembler.h"
#include "link/status_decoder.h"
#include "records/recording.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FrameAssembler assembler;
    Recording record;
    int frames = 0;
    assembler.setGoodFrameHandler([&](const StationStatus& frame) {
        ++frames;
        decodePanelState(frame, Language::English, UnitTexts());
        decodePanelState(frame, Language::Chinese, UnitTexts());
        record.setCelsius(frame.data()[4] & 1);
        record.RefreshHeaderFromStation(frame);
        record.TakeSample(frame, 0.5f);
    });
    assembler.setCrcErrorHandler([](int count) { FrameAssembler::crcErrorText(count); });
    assembler.feed(data, int(size));
    FUZZ_CHECK(frames <= int(size / StationStatus::FrameSize));
    FUZZ_CHECK(record.samples.size() == frames);
    return 0;
}
