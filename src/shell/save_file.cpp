#include "shell/save_file.h"

#include <QSaveFile>

namespace SaveFile {

bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason)
{
    const auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    // Unbuffered, so that a short write (disk full, file size limit) is seen here instead of
    // being lost inside the buffer's flush, which would let commit() replace the file with a
    // truncated one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    qsizetype written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const QString why = file.errorString();
            file.cancelWriting();
            return fail(why);
        }
        written += static_cast<qsizetype>(n);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace SaveFile
