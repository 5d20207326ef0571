#pragma once

#include <QString>

#include "users/users_file_error.h"

// The messages of the user file and the operation log, in the interface language.
namespace UsersMessages {

// "Cannot read / write <file>: <reason>", naming the file and the platform's reason.
QString fileError(const UsersFileError& error);

} // namespace UsersMessages
