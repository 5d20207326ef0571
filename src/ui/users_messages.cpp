#include "ui/users_messages.h"

#include <QCoreApplication>
#include <QDir>

namespace UsersMessages {

QString fileError(const UsersFileError& error)
{
    const QString file = QDir::toNativeSeparators(error.fileName);
    if (error.kind == UsersFileError::ReadFailed)
        return QCoreApplication::translate("UsersMessages", "Cannot read \"%1\": %2").arg(file, error.detail);
    return QCoreApplication::translate("UsersMessages", "Cannot write \"%1\": %2").arg(file, error.detail);
}

} // namespace UsersMessages
