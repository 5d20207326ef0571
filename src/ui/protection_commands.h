#pragma once

class QWidget;
class StationLink;

// The two protection password commands, run from the menus (the login password command
// also once by the first show). Each reads its password from IRpaswd.ini, shows its window
// in the interface language and acts on the result.
namespace ProtectionCommands {

// "IR protection": set or remove the login password (it takes effect at the next start), or
// log in, which unlocks the station for the rest of the run. Writes inistoin = false.
void loginPasswordCommand(QWidget* parent, StationLink& link);

// "Parameter protection...": set or remove the parameter password (next start), or unlock
// the profile table. True when the list was unlocked: the caller then clears
// ParameterListLocked and runs the table protection switch. Writes inistoin2 = false.
bool parameterPasswordCommand(QWidget* parent, bool listLocked);

} // namespace ProtectionCommands
