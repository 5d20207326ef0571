#pragma once

#include <QString>

#include "profiles/profile_file.h"

class QWidget;

// The options dialog's "Import parameters" (Button4): asks for a *.irl file, confirms, copies
// it over data/model.irl, says it is done and clears SaveTableOnExit. True when the file was
// imported: the caller then closes the main window (the program ends through its normal
// shutdown and loads the imported table at the next start). Cancelled, declined or a failed
// copy: false, and nothing is changed or reported.
bool ImportParameters(QWidget* parent, const ProfileFilePaths& paths);

// The same after the file has been chosen.
bool importParameterFile(QWidget* parent, const QString& fileName, const ProfileFilePaths& paths);
