#pragma once
// Where both programs keep what they write for the user beyond the workbooks named: the data
// folder of the XDG base directories and the backups in it.

#include <string>

namespace q36::exchange {

// "$XDG_DATA_HOME/q36cps", or "~/.local/share/q36cps" when the variable is unset, empty or not
// an absolute path (as the XDG base directory rules ask). Not created here.
std::string DataFolder();

// The backups of the radio taken before a write: DataFolder() + "/backups".
std::string BackupsFolder();

}  // namespace q36::exchange
