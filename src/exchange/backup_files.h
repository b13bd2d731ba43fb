#pragma once
// The backup of a radio taken before a write: its configuration as a workbook (the archive
// format) and its memory as an image file, side by side in the backups folder under one name
// made of the date, the time, the band and the firmware.

#include <ctime>
#include <string>

#include "codec/configuration.h"
#include "exchange_status.h"
#include "protocol/radio_image.h"
#include "protocol/run_settings.h"

namespace q36::exchange {

struct BackupFiles {
    std::string workbook;  // .../2026-12-09_143012_400-440_fw1.0.3.xlsx
    std::string image;     // the same name with .img
};

// "2026-12-09_143012_400-440_fw1.0.3" for local time when.
std::string BackupBaseName(std::time_t when, const std::string& band, const std::string& firmware);

// Saves both files in folder (created when missing); a name already taken gets "_2", "_3", ...
Result<BackupFiles, ExchangeError> SaveBackup(const std::string& folder, const RadioImage& image,
                                              const Configuration& configuration,
                                              const RunSettings& settings,
                                              const std::string& firmware, std::time_t when);

}  // namespace q36::exchange
