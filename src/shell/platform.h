#pragma once

#include <QString>

// What the operating system provides; one implementation per platform (platform_*.cpp).
namespace Platform {

// The system directory as the system reports it (not yet trimmed or overridden).
QString systemDirectory();
// The data folder every operator account of an installed Tamsel shares; empty where an
// installed Tamsel writes into its own program directory.
QString sharedProgramDirectory();
// The folder that held the password file before the system folder had one of its own;
// empty where it never moved.
QString legacySystemDirectory();
// Files and folders made from now on are writable by the owner's group as well (the data
// folder that the operator accounts share).
void shareNewFilesWithGroup();
// The system's default language identifier (1033, 2052, ...).
int systemDefaultLanguageId();
// The device opened for port "COM<portNumber>"; `mapped` is the `[Ports]` entry of the
// settings file for that name, empty when there is none.
QString serialDevice(qint64 portNumber, const QString& mapped);
// Line break for lines added to a file that has none yet.
QByteArray newline();

} // namespace Platform
