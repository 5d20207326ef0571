#pragma once

#include <QString>

#include "shell/language.h"

class ProgramPaths;

// The help a language opens: the site's compiled help document when one is in the data
// folder (data/Tamselhelpcn.CHM, data/Tamselhelpen.CHM), otherwise the user guide shipped
// with the program (data/help/<en|zh>/index.html).
QString helpDocumentPath(const ProgramPaths& paths, Language lang);
