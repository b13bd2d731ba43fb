#pragma once
// The .xlsx (Office Open XML) form of a workbook, written through libxlsxwriter.

#include <string>

#include "exchange_status.h"
#include "workbook.h"

namespace q36::exchange {

// Writes the workbook to path, creating or truncating the file; a failure's detail is the reason
// alone (in language where it is our own), without the path.
ExchangeStatus WriteXlsxFile(const Workbook& workbook, const std::string& path, int language);

}  // namespace q36::exchange
