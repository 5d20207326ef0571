#include "users/users_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString UsersFileError::englishMessage() const
{
    switch (kind) {
    case None:
        return QString();
    case ReadFailed:
        return QStringLiteral("Cannot read \"%1\": %2").arg(QDir::toNativeSeparators(fileName), detail);
    case WriteFailed:
        return QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(fileName), detail);
    }
    return QString();
}

namespace UsersIo {

namespace {
bool fail(UsersFileError* error, UsersFileError::Kind kind, const QString& path, const QString& detail)
{
    if (error)
        *error = UsersFileError{kind, path, detail};
    return false;
}
} // namespace

bool readIfExists(const QString& path, QByteArray& bytes, UsersFileError* error)
{
    bytes.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir())
        return fail(error, UsersFileError::ReadFailed, path, QStringLiteral("it is a directory"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, UsersFileError::ReadFailed, path, file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, UsersFileError::ReadFailed, path, file.errorString());
    return true;
}

bool writeWhole(const QString& path, const QByteArray& bytes, UsersFileError* error)
{
    if (QFileInfo(path).isDir())
        return fail(error, UsersFileError::WriteFailed, path, QStringLiteral("it is a directory"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, UsersFileError::WriteFailed, path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(error, UsersFileError::WriteFailed, path, why);
    }
    if (!file.commit())
        return fail(error, UsersFileError::WriteFailed, path, file.errorString());
    return true;
}

} // namespace UsersIo
