// The profile table file (model.irl): read, written again, read again to the same bytes.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "profiles/profile_file.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<ProfileRecord> records;
    ProfileFileError error;
    if (!parseProfileFile(fuzzBytes(data, size), records, &error))
        return 0;
    const QByteArray written = serializeProfileFile(records);
    std::vector<ProfileRecord> again;
    FUZZ_CHECK(parseProfileFile(written, again, &error));
    FUZZ_CHECK(again.size() == records.size());
    FUZZ_CHECK(serializeProfileFile(again) == written);
    return 0;
}
