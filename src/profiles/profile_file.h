#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QString>

#include "profiles/profile_record.h"

class ProfileTable;

// Why a profile file could not be read or written. The user interface words the message in
// its language; englishMessage() serves the command-line tools.
struct ProfileFileError
{
    enum Kind { None, OpenFailed, ReadFailed, Truncated, WriteFailed };
    Kind kind = None;
    QString fileName;
    QString detail; // the platform's own error text, or what is wrong with the file
    QString englishMessage() const;
};

// Where the table's file and its copies live.
struct ProfileFilePaths
{
    QString programDir;
    QString savePath; // options' save path; an existing directory receives a copy

    QString modelFile() const;    // <program>/data/model.irl
    QString backupFile() const;   // <program>/ParamBAK/model.irl
    QString savePathFile() const; // <savePath>/model.irl, empty when savePath names no directory
};

// The table is written at shutdown only while this is true; a parameter import clears it for
// the rest of the run.
bool SaveTableOnExit();
void setSaveTableOnExit(bool on);

// The count and the records of a model.irl image; false (and the table untouched by the
// callers) when the data is shorter than the count announces.
bool parseProfileFile(const QByteArray& bytes, std::vector<ProfileRecord>& records, ProfileFileError* error);
QByteArray serializeProfileFile(const std::vector<ProfileRecord>& records);

// Reads `fileName` into the table. A missing file is no error and changes nothing; a file
// that cannot be read or is shorter than its count gives false and keeps the table.
bool LoadProfileTable(ProfileTable& table, const QString& fileName, ProfileFileError* error = nullptr);
// Reads `fileName` into records only (the export tool).
bool readProfileFile(const QString& fileName, std::vector<ProfileRecord>& records, ProfileFileError* error);

// Writes the table in display order to data/model.irl, then the backup and save-path copies
// (which are silently missing when they cannot be written). `currentLc`, a 0-based DataRow
// index, becomes the row's place in the file. Does nothing while SaveTableOnExit is false,
// nor for a table whose file could not be loaded and that has not been edited since; the
// copies are written only from a table that was loaded or edited.
// False when model.irl itself could not be written; that file is then unchanged.
bool SaveProfileTable(const ProfileTable& table, const ProfileFilePaths& paths, int32_t& currentLc,
                      ProfileFileError* error = nullptr);

// Copies `source` over data/model.irl without looking at it (the parameter import); false
// when it could not be read or written. Does not touch SaveTableOnExit.
bool copyParameterFile(const QString& source, const ProfileFilePaths& paths);
