#pragma once

#include <QString>

// Why the user file or the operation log could not be read or written. The windows word the
// message in their language; englishMessage() serves the command-line tool.
struct UsersFileError
{
    enum Kind { None, ReadFailed, WriteFailed };
    Kind kind = None;
    QString fileName;
    QString detail; // the platform's own error text, or what is wrong with the file
    QString englishMessage() const;
};
