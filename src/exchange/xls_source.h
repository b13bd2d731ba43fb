#pragma once
// Reading an .xls workbook: the BIFF8 (Excel 97-2003) or BIFF5 (Excel 5.0/95) record stream
// inside an OLE2 compound file.
//
// Both are taken apart by this program's own bounded readers, in its own process: a damaged or
// hostile file ends in an error value within the limits of read_limits.h, and no library that
// could crash or leak on such a file, nor a process of its own, is involved.

#include <cstdint>
#include <string>
#include <vector>

#include "workbook_source.h"
#include "xls_sheet_reader.h"

namespace q36::exchange {

class XlsSource : public WorkbookSource {
  public:
    // Reads the container, the sheet list and the shared strings of the file's bytes; the sheets
    // are read when asked for. A failure's detail is the reason alone.
    ExchangeStatus Open(const std::vector<uint8_t>& bytes);

    const std::vector<std::string>& SheetNames() const override { return names_; }

  protected:
    ExchangeStatus ReadSheetCells(std::size_t index, SheetCells& cells) override;

  private:
    ExchangeStatus ReadGlobals();

    std::vector<uint8_t> stream_;  // the workbook stream
    XlsBook book_;
    XlsSharedStrings strings_;
    std::vector<std::string> names_;      // of the worksheets, in tab order
    std::vector<uint32_t> sheetOffsets_;  // where each worksheet's substream starts
};

}  // namespace q36::exchange
