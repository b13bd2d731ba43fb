#pragma once
// The .xls (Excel 97-2003, BIFF8) form of a workbook: the BIFF record stream of our own record
// writer, stored as the "Workbook" stream of an OLE2 compound file made with libgsf.

#include <cstdint>
#include <vector>

#include "exchange_status.h"
#include "workbook.h"

namespace q36::exchange {

// The longest cell text a spreadsheet cell holds, in UTF-16 code units.
inline constexpr std::size_t MAX_CELL_TEXT_UNITS = 32767;

// The BIFF8 workbook stream of the workbook (globals, then one substream per sheet); a failure's
// reason is said in language.
ExchangeStatus BuildBiffStream(const Workbook& workbook, int language,
                               std::vector<uint8_t>& stream);

// The bytes of an .xls file holding the workbook; a failure's detail is the reason alone.
ExchangeStatus BuildXlsFile(const Workbook& workbook, int language, std::vector<uint8_t>& file);

// The bytes of an .xls file whose "Workbook" stream is stream, as it is.
ExchangeStatus BuildXlsFileOfStream(const std::vector<uint8_t>& stream, std::vector<uint8_t>& file);

}  // namespace q36::exchange
