#pragma once

#include <QByteArray>
#include <QString>

#include "records/operator_inputs.h"
#include "records/recording.h"

// The *.sld record file: the 213-byte header, the 16-bit sample count and the samples, the
// 16-bit dot count and the dots. Older files carry a 203-byte ("2.0") or 199-byte
// (unversioned) header and are read only.
namespace RecordFile {

enum class HeaderVariant { Current, Version20, Unversioned };

// The file's bytes; empty with *error set when a count does not fit its 16 bits.
QByteArray encode(const Recording& record, QString* error = nullptr);
// Fills header, samples and dots of `record` from the bytes, or leaves it unchanged and
// returns false for a damaged or short file.
bool decode(const QByteArray& bytes, Recording& record, HeaderVariant* variant = nullptr);

} // namespace RecordFile

// Writes the record under `path` after collecting the header (version, date, operator
// inputs). False with the platform's error text when the file cannot be written; the
// previous file of that name is then left as it was.
bool SaveRecord(Recording& record, const QString& path, const OperatorInputs& inputs, double now, QString* error);

// Fills the record from the file. On any failure the samples and dots are emptied, nothing
// else is taken from the file, and the caller shows "file error!".
bool LoadRecord(Recording& record, const QString& path);

// The one message for every file that cannot be read.
inline QString recordFileErrorText()
{
    return QStringLiteral("file error!");
}
