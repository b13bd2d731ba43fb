#pragma once
// The folder both programs keep the user's own files in (backups, the programming log):
// $XDG_DATA_HOME/q36cps, else ~/.local/share/q36cps.

#include <string>

#include "exchange_status.h"

namespace q36::exchange {

std::string DataFolder();
// DataFolder()/backups.
std::string BackupsFolder();

// Creates folder and the folders above it that are missing.
ExchangeStatus MakeFolders(const std::string& folder);

}  // namespace q36::exchange
