#pragma once
// Reading an .xls workbook (BIFF5/BIFF8 in an OLE2 compound file) through FreeXL.
//
// FreeXL takes a hostile file apart with too little care (some damaged files make it read out of
// bounds and crash), so it runs in a child process of its own: the child reads the sheet list and
// every sheet and hands the texts back through a pipe; a child that crashes or hangs costs a
// "damaged file" message, not the program.

#include <cstdint>
#include <string>
#include <vector>

#include "workbook_source.h"

namespace q36::exchange {

class XlsSource : public WorkbookSource {
  public:
    // Opens the file at path, whose content is bytes, and reads all its sheets. A failure's
    // detail is the reason alone.
    ExchangeStatus Open(const std::string& path, const std::vector<uint8_t>& bytes);

    const std::vector<std::string>& SheetNames() const override { return names_; }

    // One sheet as the reader found it: its cells, or why it could not be read.
    struct Cell {
        uint32_t row;
        uint32_t column;
        std::string text;
    };
    struct Sheet {
        ExchangeStatus status;
        std::vector<Cell> cells;
    };

  protected:
    ExchangeStatus ReadSheetCells(std::size_t index, SheetCells& cells) override;

  private:
    std::vector<std::string> names_;
    std::vector<Sheet> sheets_;
};

}  // namespace q36::exchange
