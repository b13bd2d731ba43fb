#pragma once
// A sheet read as a table: its first row names the columns, each later row is one record, in
// sheet order, and records whose key column is empty are left out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheet_cells.h"

namespace q36::exchange {

class SheetTable {
  public:
    // The table of the cells, keyed by the column titled keyColumn; nothing when no column of
    // the first row has that title. The cells must outlive the table.
    static std::optional<SheetTable> FromCells(const SheetCells& cells,
                                               const std::string& keyColumn);

    // Position of the column with this title (an exact match first, then one by SameName), or
    // -1; the first of equal titles counts.
    int ColumnIndex(const std::string& title) const;
    // Number of records.
    std::size_t Size() const { return recordRows_.size(); }
    // The text of record r in column c (from ColumnIndex).
    const std::string& Field(std::size_t r, int c) const;
    // The key text of record r.
    const std::string& Key(std::size_t r) const { return Field(r, keyIndex_); }
    // The sheet row (from 1) of record r.
    uint32_t SheetRow(std::size_t r) const { return recordRows_.at(r); }

  private:
    explicit SheetTable(const SheetCells& cells) : cells_(&cells) {}

    const SheetCells* cells_;
    std::vector<std::string> titles_;
    std::vector<uint32_t> titleColumns_;  // sheet column of each title
    std::vector<uint32_t> recordRows_;    // sheet row of each record
    int keyIndex_ = -1;
};

}  // namespace q36::exchange
