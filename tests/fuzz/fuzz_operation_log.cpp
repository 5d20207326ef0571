// The operation log (data/OpRec.dat): read from arbitrary bytes, its export text in both
// languages, and an entry appended after whatever the log holds.

#include <QCoreApplication>

#include "fuzz_common.h"
#include "users/operation_log.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzFile(fuzzBytes(data, size), QStringLiteral("OpRec.dat"));
    QList<OperationRecord> entries;
    UsersFileError error;
    QString damage;
    FUZZ_CHECK(ReadOperationLog(path, entries, &error, &damage));
    FUZZ_CHECK(entries.size() == int(size) / OperationRecord::kSize);
    for (const OperationRecord& e : entries) {
        for (int f = 0; f < OperationRecord::FieldCount; ++f) {
            FUZZ_CHECK(e.fields[f].size() <= OperationRecord::kTextBytes);
            e.text(OperationRecord::Field(f));
        }
        // Stored again, an entry reads back the same.
        uint8_t raw[OperationRecord::kSize];
        e.toBytes(raw);
        const OperationRecord back = OperationRecord::fromBytes(raw);
        FUZZ_CHECK(back.fields == e.fields);
    }
    OperationLogText(entries, Language::English);
    OperationLogText(entries, Language::Chinese);

    const OperationTexts texts{QStringLiteral("7"), QStringLiteral("Wang"), QStringLiteral("QA"),
                               QString(), QStringLiteral("old"), QStringLiteral("new")};
    if (AppendOperationRecord(path, texts, QDateTime(QDate(2024, 5, 17), QTime(14, 3, 9)), &error)) {
        QList<OperationRecord> after;
        FUZZ_CHECK(ReadOperationLog(path, after, &error));
        FUZZ_CHECK(after.size() == entries.size() + 1);
        for (int i = 0; i < entries.size(); ++i)
            FUZZ_CHECK(after[i].fields == entries[i].fields);
        FUZZ_CHECK(after.last().text(OperationRecord::Name) == QStringLiteral("Wang"));
    }
    return 0;
}
