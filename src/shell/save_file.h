#pragma once

#include <QByteArray>
#include <QString>

// The one way the program writes a file: the bytes go to a temporary beside it, which replaces
// the file only when every byte is on disk. A failed write (disk full, file size limit, no
// right to write) leaves the previous file as it was and no temporary behind.
namespace SaveFile {

// Returns false with the platform's reason in `reason` (without the file name) when the file
// could not be written whole.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace SaveFile
