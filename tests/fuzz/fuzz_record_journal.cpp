// The recording journal reader, and the record file made from what it read.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "records/record_file.h"
#include "records/record_journal.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RecordJournal::Contents c;
    if (!RecordJournal::decode(fuzzBytes(data, size), c))
        return 0;
    FUZZ_CHECK(c.entries >= 1);
    c.record.header.version = "2.1";
    const QByteArray file = RecordFile::encode(c.record);
    if (!file.isEmpty()) {
        Recording back;
        FUZZ_CHECK(RecordFile::decode(file, back));
        FUZZ_CHECK(RecordFile::encode(back) == file); // bytes: a sample may hold NaN
    }
    return 0;
}
