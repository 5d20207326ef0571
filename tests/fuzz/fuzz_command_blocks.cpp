// The command block file (stru.ssf): loaded into the link, decoded for the panel, stored and
// loaded again to the same images.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "link/station_link.h"
#include "link/status_decoder.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FakePort port;
    static FakeClock clock;
    static StationLink link(port, clock);
    const QByteArray bytes = fuzzBytes(data, size);
    link.loadCommandBlocks(fuzzFile(bytes, QStringLiteral("stru.ssf")));
    decodePanelState(link.commandBlock(), Language::English, UnitTexts());
    const QString out = fuzzFile(QByteArray(), QStringLiteral("stored.ssf"));
    FUZZ_CHECK(link.storeCommandBlocks(out));
    QFile stored(out);
    FUZZ_CHECK(stored.open(QIODevice::ReadOnly));
    const QByteArray back = stored.readAll();
    FUZZ_CHECK(back.size() == StationLink::CommandBlockFileSize);
    // What was stored loads again to the same images.
    FUZZ_CHECK(link.loadCommandBlocks(out));
    FUZZ_CHECK(link.storeCommandBlocks(out));
    QFile again(out);
    FUZZ_CHECK(again.open(QIODevice::ReadOnly) && again.readAll() == back);
    return 0;
}
