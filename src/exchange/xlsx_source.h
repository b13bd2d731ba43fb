#pragma once
// Reading an .xlsx workbook (Office Open XML) held in memory, through libzip and pugixml.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "workbook_source.h"
#include "zip_archive.h"

namespace q36::exchange {

class XlsxSource : public WorkbookSource {
  public:
    // Opens the package: its workbook part, the sheet list and the shared strings. A failure's
    // detail is the reason alone.
    ExchangeStatus Open(std::vector<uint8_t> bytes);

    const std::vector<std::string>& SheetNames() const override { return names_; }

  protected:
    ExchangeStatus ReadSheetCells(std::size_t index, SheetCells& cells) override;

  private:
    ExchangeStatus ReadSharedStrings(const std::string& part);

    ZipArchive zip_;
    std::vector<std::string> names_;
    std::vector<std::string> sheetParts_;  // part name of each sheet
    std::vector<std::string> sharedStrings_;
};

}  // namespace q36::exchange
