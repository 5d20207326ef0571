#pragma once

#include <QString>

#include "shell/language.h"

class ProgramPaths;
class QWidget;

// The options dialog's "Export operation record" (Button5): asks for the target file
// ("Excel file", *.xls; an existing file is replaced without a question), writes the whole
// operation log there as tab-separated text with the heading line of `language`, then
// opens it with the application the system associates with it. Cancel ends it quietly; a
// target that cannot be written is reported, naming it. data/OpRec.dat is only read.
// True when the file was written.
bool exportOperationRecord(QWidget* parent, const ProgramPaths& paths, Language language);

// The same after the target has been chosen.
bool exportOperationRecordTo(QWidget* parent, const QString& target, const ProgramPaths& paths, Language language);
