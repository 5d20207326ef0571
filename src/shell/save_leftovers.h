#pragma once

#include <QString>
#include <QStringList>

class ProgramPaths;

// Every save replaces its file through a temporary named "<file name>.XXXXXX" (six letters
// or digits) in the same directory; a program killed in the middle of a save leaves that
// temporary behind. Removes in `dir` the temporaries of the given file names, and nothing
// else: no other name, no directory. Returns the paths removed.
QStringList removeSaveLeftovers(const QString& dir, const QStringList& fileNames);

// The program's own files: data/model.irl, data/stru.ssf, data/CommConfig.ini,
// data/OpRec.dat, ParamBAK/model.irl, UserList.dat, the password file in the system
// directory, and model.irl in `savePath` when it names a directory.
QStringList removeProgramSaveLeftovers(const ProgramPaths& paths, const QString& savePath = QString());
