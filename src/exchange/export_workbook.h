#pragma once
// Save: the whole configuration into a workbook the user names.

#include <functional>
#include <optional>
#include <string>

#include "exchange_outcome.h"
#include "store/configuration_store.h"

namespace q36::exchange {

// Writes the three sheets to path (.xls names get Excel 97-2003, every other name .xlsx content).
// An empty path is a cancelled dialog (SaveCancelled). When the file exists, askOverwrite is
// asked ("文件已经存在，是否覆盖？" is the caller's to show) and false leaves it untouched
// (SaveDeclined). The old file is replaced only by a complete new one; a failure leaves it as it
// was, and its outcome carries the system's reason and the path below the save failure message.
// The sheets are named and titled in language, the reason is said in it. The caller commits
// pending edits first.
ExchangeOutcome ExportWorkbook(const std::string& path, const std::function<bool()>& askOverwrite,
                               ConfigurationQueries& queries, int language);

// Whether Save could write path now (its folder takes a new file, and path is no folder), found
// out by creating and removing the temporary file Save would write. The outcome Save would end
// in when it could not; nothing when it could.
std::optional<ExchangeOutcome> CheckSaveTarget(const std::string& path);

}  // namespace q36::exchange
