#include "profiles/profile_file.h"

#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "profiles/profile_table.h"

namespace {

bool g_saveTableOnExit = true;

constexpr int kCountSize = 2;

bool writeWhole(const QString& fileName, const QByteArray& bytes, QString* errorText)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (errorText)
            *errorText = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QString ProfileFileError::englishMessage() const
{
    switch (kind) {
    case None:
        return QString();
    case OpenFailed:
        return QStringLiteral("I/O error: cannot open \"%1\": %2").arg(QDir::toNativeSeparators(fileName), detail);
    case ReadFailed:
        return QStringLiteral("I/O error: cannot read \"%1\": %2").arg(QDir::toNativeSeparators(fileName), detail);
    case Truncated:
        return QStringLiteral("I/O error: \"%1\" is damaged: %2").arg(QDir::toNativeSeparators(fileName), detail);
    case WriteFailed:
        return QStringLiteral("I/O error: cannot write \"%1\": %2").arg(QDir::toNativeSeparators(fileName), detail);
    }
    return QString();
}

QString ProfileFilePaths::modelFile() const
{
    return QDir(programDir).filePath(QStringLiteral("data/model.irl"));
}

QString ProfileFilePaths::backupFile() const
{
    return QDir(programDir).filePath(QStringLiteral("ParamBAK/model.irl"));
}

QString ProfileFilePaths::savePathFile() const
{
    if (savePath.isEmpty() || !QFileInfo(savePath).isDir())
        return QString();
    return QDir(savePath).filePath(QStringLiteral("model.irl"));
}

bool SaveTableOnExit()
{
    return g_saveTableOnExit;
}

void setSaveTableOnExit(bool on)
{
    g_saveTableOnExit = on;
}

bool parseProfileFile(const QByteArray& bytes, std::vector<ProfileRecord>& records, ProfileFileError* error)
{
    auto fail = [&](const QString& detail) {
        if (error) {
            error->kind = ProfileFileError::Truncated;
            error->detail = detail;
        }
        return false;
    };
    if (bytes.size() < kCountSize)
        return fail(QStringLiteral("the file is too short to hold the number of profiles"));
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    const int count = p[0] | (p[1] << 8);
    const qint64 needed = kCountSize + qint64(count) * qint64(sizeof(ProfileRecord));
    if (bytes.size() < needed)
        return fail(QStringLiteral("it announces %1 profiles but holds only %2")
                        .arg(count)
                        .arg((bytes.size() - kCountSize) / qint64(sizeof(ProfileRecord))));
    records.resize(count);
    for (int i = 0; i < count; ++i)
        std::memcpy(&records[i], p + kCountSize + i * sizeof(ProfileRecord), sizeof(ProfileRecord));
    return true;
}

QByteArray serializeProfileFile(const std::vector<ProfileRecord>& records)
{
    const int count = static_cast<int>(records.size());
    QByteArray bytes;
    bytes.reserve(kCountSize + count * int(sizeof(ProfileRecord)));
    bytes.append(char(count & 0xFF));
    bytes.append(char((count >> 8) & 0xFF));
    for (const ProfileRecord& r : records)
        bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
    return bytes;
}

bool readProfileFile(const QString& fileName, std::vector<ProfileRecord>& records, ProfileFileError* error)
{
    ProfileFileError local;
    ProfileFileError* err = error ? error : &local;
    err->fileName = fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        err->kind = ProfileFileError::OpenFailed;
        err->detail = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        err->kind = ProfileFileError::ReadFailed;
        err->detail = file.errorString();
        return false;
    }
    return parseProfileFile(bytes, records, err);
}

bool LoadProfileTable(ProfileTable& table, const QString& fileName, ProfileFileError* error)
{
    if (!QFileInfo::exists(fileName))
        return true;
    // Everything is read before the table is touched, so a damaged file changes nothing.
    std::vector<ProfileRecord> records;
    if (!readProfileFile(fileName, records, error)) {
        table.setOrigin(ProfileTable::Origin::LoadFailed);
        return false;
    }
    std::vector<ProfileRow> rows;
    rows.reserve(records.size());
    for (const ProfileRecord& r : records)
        rows.push_back(rowFromRecord(r));
    table.replaceRows(std::move(rows));
    table.setOrigin(ProfileTable::Origin::Loaded);
    return true;
}

bool SaveProfileTable(const ProfileTable& table, const ProfileFilePaths& paths, int32_t& currentLc,
                      ProfileFileError* error)
{
    if (!SaveTableOnExit())
        return true;
    // The rows left after a damaged file are no profiles: the file stays for a repair, and
    // neither it nor a good backup is replaced, unless the operator has worked on the table.
    const bool edited = table.isEdited();
    if (table.origin() == ProfileTable::Origin::LoadFailed && !edited)
        return true;

    const int n = table.RowCount();
    std::vector<ProfileRecord> byDataRow;
    byDataRow.reserve(n);
    for (int r = 1; r <= n; ++r)
        byDataRow.push_back(recordFromRow(table.row(r)));
    // The file holds the rows in the order the user sees them.
    std::vector<ProfileRecord> inFileOrder;
    inFileOrder.reserve(n);
    for (int p = 1; p <= n; ++p)
        inFileOrder.push_back(byDataRow[table.DataRowAt(p) - 1]);
    const QByteArray bytes = serializeProfileFile(inFileOrder);

    const QString model = paths.modelFile();
    QDir().mkpath(QFileInfo(model).absolutePath());
    QString errorText;
    if (!writeWhole(model, bytes, &errorText)) {
        if (error) {
            error->kind = ProfileFileError::WriteFailed;
            error->fileName = model;
            error->detail = errorText;
        }
        return false;
    }

    if (currentLc >= 0 && currentLc < n)
        currentLc = table.DisplayPosition(currentLc + 1) - 1;

    // The copies are a convenience: when one cannot be written it is simply missing. Only a
    // table that was loaded or edited replaces them; the empty rows of a start without
    // data/model.irl would otherwise destroy the very backup that could restore it.
    if (table.origin() != ProfileTable::Origin::Loaded && !edited)
        return true;
    const QString backup = paths.backupFile();
    if (QDir().mkpath(QFileInfo(backup).absolutePath()))
        writeWhole(backup, bytes, nullptr);
    const QString extra = paths.savePathFile();
    if (!extra.isEmpty())
        writeWhole(extra, bytes, nullptr);
    return true;
}

bool copyParameterFile(const QString& source, const ProfileFilePaths& paths)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    in.close();
    const QString model = paths.modelFile();
    if (!QFileInfo(model).absoluteDir().exists())
        return false;
    return writeWhole(model, bytes, nullptr);
}
