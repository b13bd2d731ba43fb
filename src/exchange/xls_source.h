#pragma once
// Reading an .xls workbook (BIFF5/BIFF8 in an OLE2 compound file) through FreeXL.

#include <cstdint>
#include <string>
#include <vector>

#include "workbook_source.h"

namespace q36::exchange {

class XlsSource : public WorkbookSource {
  public:
    XlsSource() = default;
    XlsSource(const XlsSource&) = delete;
    XlsSource& operator=(const XlsSource&) = delete;
    ~XlsSource() override;

    // Opens the file at path, whose content is bytes, and reads its sheet list. A failure's
    // detail is the reason alone.
    ExchangeStatus Open(const std::string& path, const std::vector<uint8_t>& bytes);

    const std::vector<std::string>& SheetNames() const override { return names_; }

  protected:
    ExchangeStatus ReadSheetCells(std::size_t index, SheetCells& cells) override;

  private:
    const void* handle_ = nullptr;
    std::vector<std::string> names_;
};

}  // namespace q36::exchange
