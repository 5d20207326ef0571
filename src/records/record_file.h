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

// What could be taken from a file cut short (a full disk, a USB stick pulled out).
struct Salvage
{
    int samplesPromised = -1;  // the file's sample count; -1 when the count itself is cut
    int samplesRead = 0;       // whole samples read
    int dotsPromised = -1;
    int dotsRead = 0;
};

// For a file that decode() refuses because it ends too early: the header, the whole samples
// and the whole dots that are there. False when even the header is cut, or when the file is
// not cut at all (then decode() reads it, or nothing can).
bool salvage(const QByteArray& bytes, Recording& record, Salvage* info = nullptr);

} // namespace RecordFile

// Writes the record under `path` after collecting the header (version, date, operator
// inputs). False with the platform's error text when the file cannot be written; the
// previous file of that name is then left as it was.
bool SaveRecord(Recording& record, const QString& path, const OperatorInputs& inputs, double now, QString* error);

// Fills the record from the file. On any failure the samples and dots are emptied, nothing
// else is taken from the file, and the caller shows "file error!".
bool LoadRecord(Recording& record, const QString& path);

// After LoadRecord failed: what a file cut short still holds, as an unsaved record (no file
// name, so a save asks for a new one and the damaged file is never written over). False when
// nothing can be taken from it.
bool SalvageRecord(Recording& record, const QString& path, RecordFile::Salvage* info = nullptr);

// The one message for every file that cannot be read.
inline QString recordFileErrorText()
{
    return QStringLiteral("file error!");
}
