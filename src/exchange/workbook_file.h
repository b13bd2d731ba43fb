#pragma once
// Saving a workbook under a name: the format follows the name, the old file is replaced only by
// a complete new one.

#include <string>

#include "exchange_status.h"
#include "workbook.h"

namespace q36::exchange {

enum class WorkbookFormat { Xlsx, Xls };

// .xls (any letter case) gives the Excel 97-2003 format; every other name gets .xlsx content.
WorkbookFormat FormatForName(const std::string& path);

// Writes the workbook to path through a temporary file in the same folder; on failure the file
// at path is unchanged and no temporary file is left. A reason of our own is said in language.
ExchangeStatus SaveWorkbookFile(const Workbook& workbook, const std::string& path, int language);

}  // namespace q36::exchange
