#pragma once

#include <QString>

// Where the program directory is and how the password file follows the machine's layout.
//
// A build folder or a copied program folder is its own program directory, as it always
// was. An installed Tamsel (its executable in <prefix>/bin with <prefix>/share/tamsel
// beside it) cannot write there, so every operator account shares one machine-wide data
// folder instead (/var/lib/tamsel/station on Linux). TAMSEL_PROGRAM_DIR overrides both.
namespace ProgramLocation {

bool isInstalled(const QString& executableDir);
QString programDir(const QString& executableDir);

// The password file used to lie directly in the folder that now holds the station's data
// and the system folder. Moves it into systemDir when it is only in the old place; the old
// file is removed only once its copy reads back equal, so no stored password is lost.
enum class Move { NothingToDo, Moved, Failed };
Move movePasswordFile(const QString& oldFile, const QString& newFile, QString* error = nullptr);

// Runs the move for this machine (nothing when TAMSEL_SYSTEM_DIR names the folder). When
// the move fails the old file stays in use: TAMSEL_SYSTEM_DIR is pointed at its folder.
Move movePasswordFileOfThisMachine(QString* error = nullptr);

} // namespace ProgramLocation
