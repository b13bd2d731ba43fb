#pragma once
// Save and Open of a CHIRP CSV, ending in the messages both front ends show as they show a
// workbook's.

#include <functional>
#include <string>

#include "chirp_csv.h"
#include "exchange_outcome.h"

namespace q36::exchange {

// Writes the configuration's CSV to path as Save writes a workbook: an empty path is a
// cancelled dialog, an existing file is replaced only when askOverwrite says so, a failure
// leaves it as it was and names the reason. Saved ends with what the CSV cannot hold.
ExchangeOutcome ExportChirpCsv(const std::string& path, const std::function<bool()>& askOverwrite,
                               const Configuration& configuration);

// The messages of an import: "文件读取失败！" with the reason, or "文件读取成功！" with the
// dropped locations and refused rows below it and what the file left as it was.
ExchangeOutcome ChirpImportOutcome(const ChirpImport& import, int language);

}  // namespace q36::exchange
