#pragma once

#include <QString>

class Recording;
struct ProcessWindow;

// The process window the exports judge against: the one in `iniPath`, or the program's
// data/CommConfig.ini beside tamsel-export when it is empty.
ProcessWindow exportProcessWindow(const QString& iniPath = QString());

// The "figures" object of `record --json`, indented to sit one level inside the document.
QString figuresJson(const Recording& record, const ProcessWindow& window);
