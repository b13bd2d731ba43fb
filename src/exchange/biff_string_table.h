#pragma once
// The shared string table (SST) of an .xls workbook and its index (EXTSST).

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "biff_record_writer.h"

namespace q36::exchange {

class BiffStringTable {
  public:
    // The index of the text in the table, adding it on first use.
    uint32_t Add(const std::u16string& text);
    // Number of cells that refer to the table.
    uint32_t References() const { return references_; }
    // Writes SST with as many CONTINUE records as the texts need, then EXTSST.
    void Write(BiffRecordWriter& out) const;

  private:
    std::vector<std::u16string> strings_;
    std::unordered_map<std::u16string, uint32_t> index_;
    uint32_t references_ = 0;
};

}  // namespace q36::exchange
