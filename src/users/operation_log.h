#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "shell/language.h"
#include "users/users_file_error.h"

// One entry of data/OpRec.dat: a change of the station's current profile made with Begin.
//
// | offset | bytes | field                                              |
// |--------|-------|----------------------------------------------------|
// | 0      | 8     | date and time: days since 1899-12-30 as a double   |
// | 8      | 64    | employee number (length byte, 63 text bytes)       |
// | 72     | 64    | name                                               |
// | 136    | 64    | department                                         |
// | 200    | 64    | remark                                             |
// | 264    | 64    | old profile (board name)                           |
// | 328    | 64    | new profile (board name)                           |
//
// The texts are kept as the file's bytes, so an export writes exactly what was stored.
struct OperationRecord
{
    static constexpr int kSize = 392;
    static constexpr int kTextBytes = 63;
    enum Field { EmployeeNo, Name, Department, Remark, OldProfile, NewProfile, FieldCount };

    double dateTime = 0;
    std::array<QByteArray, FieldCount> fields; // 8-bit text bytes, at most 63 each

    QString text(Field f) const;

    static OperationRecord fromBytes(const uint8_t* bytes);
    void toBytes(uint8_t* bytes) const; // kSize bytes, zero after each text
};

// The six texts of a new entry, cut to 63 bytes each when stored.
struct OperationTexts
{
    QString employeeNo, name, department, remark, oldProfile, newProfile;
};

// <program>/data/OpRec.dat
QString operationLogFile(const QString& programDir);

// Every whole entry of the log. A missing log is empty and no error; a directory or an
// unreadable file gives false. `damage`, when given, describes the first thing in the file
// that the program passes over (trailing bytes, a length byte over 63, a date that is no
// number) for the command-line tool, which refuses such a file.
bool ReadOperationLog(const QString& logPath, QList<OperationRecord>& entries,
                      UsersFileError* error = nullptr, QString* damage = nullptr);

// Adds one entry stamped `when` after every whole entry of the log and replaces the file
// (through a temporary: on failure the log is as it was). The stored entries are copied byte
// for byte; a trailing partial entry is dropped. Nothing is written when the log cannot be read.
bool AppendOperationRecord(const QString& logPath, const OperationTexts& texts, const QDateTime& when,
                           UsersFileError* error = nullptr);
// The same, stamped with the current local date and time.
bool AppendOperationRecord(const QString& logPath, const OperationTexts& texts, UsersFileError* error = nullptr);

// The export text: a heading line in `language`, then one line per entry (date and time text,
// then the six texts, separated by tabs), lines ending in CR LF, all in the 8-bit code page.
QByteArray OperationLogText(const QList<OperationRecord>& entries, Language language);
// The date and time column: the system's short date, then a blank and the system's long time
// unless the time is midnight exactly.
QString operationDateText(double dateTime);

// The options dialog's "Export operation record": reads the log at `logPath` (missing: the
// heading only) and replaces `targetPath` with OperationLogText. The log is never changed.
// False with `error` set when the log cannot be read or the target cannot be written; the
// target is then left as it was.
bool ExportOperationRecord(const QString& logPath, const QString& targetPath, Language language,
                           UsersFileError* error = nullptr);
