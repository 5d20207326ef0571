// The user list (UserList.dat): read from arbitrary bytes, saved and read again unchanged,
// and the look-ups of the login on what was read.

#include <QCoreApplication>
#include <QFileInfo>

#include "fuzz_common.h"
#include "users/user_record.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString dir = QFileInfo(fuzzFile(bytes, QStringLiteral("UserList.dat"))).absolutePath();
    TUserStruList list;
    UsersFileError error;
    FUZZ_CHECK(LoadUserList(list, dir, &error));
    FUZZ_CHECK(list.size() == int(size) / UserRecord::kSize);
    FUZZ_CHECK(list == parseUserList(bytes));
    for (const UserRecord& r : list) {
        FUZZ_CHECK(FindEmployee(list, r.employeeNo) >= 0);
        FUZZ_CHECK(PasswordMatches(r, r.password));
    }
    // Saved, the list reads back as the same bytes. (Bytes that are no text in the code page,
    // a lead byte before a NUL, are shown and saved as a replacement character: the texts
    // may change once, never again.)
    FUZZ_CHECK(SaveUserList(list, dir, &error));
    TUserStruList again;
    FUZZ_CHECK(LoadUserList(again, dir, &error));
    FUZZ_CHECK(serializeUserList(again) == serializeUserList(list));
    FUZZ_CHECK(parseUserList(serializeUserList(again)) == again);
    return 0;
}
