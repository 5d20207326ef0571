#pragma once

#include <QByteArray>
#include <QString>

#include "users/users_file_error.h"

// Whole-file reads and writes of the user file and the operation log.
namespace UsersIo {

// A missing file gives no bytes and true; a directory or an unreadable file gives false.
bool readIfExists(const QString& path, QByteArray& bytes, UsersFileError* error);
// Replaces the file through a temporary, so a failed write keeps the previous file.
bool writeWhole(const QString& path, const QByteArray& bytes, UsersFileError* error);

} // namespace UsersIo
