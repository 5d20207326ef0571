#pragma once

#include <QString>

// A text as a JSON string literal, quotes and escapes included.
QString jsonString(const QString& s);
