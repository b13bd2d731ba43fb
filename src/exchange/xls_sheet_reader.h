#pragma once
// The cells of one worksheet of an .xls workbook, read from its substream of BIFF5 or BIFF8
// records: numbers, texts, booleans, and the last computed value of formula cells, as a
// spreadsheet program shows them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange_status.h"
#include "sheet_cells.h"

namespace q36::exchange {

// The shared string table of a BIFF8 workbook, all texts in one buffer.
class XlsSharedStrings {
  public:
    void Add(const std::string& text);
    std::size_t Size() const { return ends_.size(); }
    std::string_view At(std::size_t index) const;

  private:
    std::string text_;
    std::vector<uint32_t> ends_;  // where each text ends in text_
};

// What reading a sheet needs of the workbook's globals.
struct XlsBook {
    bool biff8 = true;
    uint16_t codepage = 1252;  // of BIFF5 texts
    const XlsSharedStrings* strings = nullptr;
};

// Reads the sheet whose substream starts at offset in stream. A failure's detail is the reason
// alone; a cell holding an error value (#DIV/0!, #N/A, ...) fails with ErrorValue, naming it.
ExchangeStatus ReadXlsSheet(std::span<const uint8_t> stream, std::size_t offset,
                            const XlsBook& book, const std::string& sheetName, SheetCells& cells);

}  // namespace q36::exchange
