#pragma once

#include <cstdint>

#include <QByteArray>
#include <QList>
#include <QString>

#include "users/users_file_error.h"

// One operator of UserList.dat: five length-prefixed 8-bit texts in 149 bytes.
//
// | offset | bytes | field           | text bytes |
// |--------|-------|-----------------|------------|
// | 0      | 17    | employee number | 16         |
// | 17     | 17    | password        | 16         |
// | 34     | 17    | name            | 16         |
// | 51     | 33    | department      | 32         |
// | 84     | 65    | remark          | 64         |
//
// The texts held here are always what the file holds: setters cut to the byte capacity,
// never inside a two-byte character.
struct UserRecord
{
    static constexpr int kSize = 149;
    static constexpr int kEmployeeNoBytes = 16;
    static constexpr int kPasswordBytes = 16;
    static constexpr int kNameBytes = 16;
    static constexpr int kDepartmentBytes = 32;
    static constexpr int kRemarkBytes = 64;

    QString employeeNo;
    QString password;
    QString name;
    QString department;
    QString remark;

    // A record with every text cut to its capacity.
    static UserRecord made(const QString& employeeNo, const QString& password, const QString& name,
                           const QString& department, const QString& remark);
    void setPassword(const QString& text);
    void setName(const QString& text);
    void setDepartment(const QString& text);
    void setRemark(const QString& text);

    static UserRecord fromBytes(const uint8_t* bytes);
    void toBytes(uint8_t* bytes) const; // kSize bytes, zero after each text

    bool operator==(const UserRecord& o) const;
};

// The program's user list, in file order; new employees are appended.
using TUserStruList = QList<UserRecord>;

// The user list of the program, replaced by every load.
TUserStruList& UserList();

// The file in `dir` (the program directory).
QString userListFile(const QString& dir);

// Empties `list`, then reads UserList.dat of `dir` record by record; a trailing partial record
// is ignored. A missing file is an empty list. A file that cannot be read (unreadable, a
// directory) leaves the list empty and gives false: callers must not save over it then.
bool LoadUserList(TUserStruList& list, const QString& dir, UsersFileError* error = nullptr);
// Replaces UserList.dat of `dir` with every record in order (an empty list, an empty file).
// The file is written through a temporary: on failure the previous file is kept.
bool SaveUserList(const TUserStruList& list, const QString& dir, UsersFileError* error = nullptr);

QByteArray serializeUserList(const TUserStruList& list);
TUserStruList parseUserList(const QByteArray& bytes);

// The first record whose employee number equals `employeeNo` apart from letter case, or -1.
// Blanks count: " 7" is not "7".
int FindEmployee(const TUserStruList& list, const QString& employeeNo);
// Passwords compare exactly, letter case included.
bool PasswordMatches(const UserRecord& record, const QString& typed);
