#pragma once

#include <QString>

// What the operating system provides; one implementation per platform (platform_*.cpp).
namespace Platform {

// The system directory as the system reports it (not yet trimmed or overridden).
QString systemDirectory();
// The system's default language identifier (1033, 2052, ...).
int systemDefaultLanguageId();
// The device opened for port "COM<portNumber>"; `mapped` is the `[Ports]` entry of the
// settings file for that name, empty when there is none.
QString serialDevice(qint64 portNumber, const QString& mapped);
// Line break for lines added to a file that has none yet.
QByteArray newline();

} // namespace Platform
