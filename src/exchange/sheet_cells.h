#pragma once
// The non-empty cells of one sheet as texts, found by row and column (both from 1).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace q36::exchange {

class SheetCells {
  public:
    // Adds a cell in any order (an empty text is not kept); of two cells at one position the
    // later one stays.
    void Add(uint32_t row, uint32_t column, std::string text);
    // Sorts the cells for lookup; called once after the last Add.
    void Finish();

    // The cell's text, empty for an empty cell.
    const std::string& Text(uint32_t row, uint32_t column) const;
    // The rows holding at least one cell, in ascending order.
    std::vector<uint32_t> Rows() const;
    // The cells of one row as (column, text), in column order.
    std::vector<std::pair<uint32_t, const std::string*>> Row(uint32_t row) const;
    std::size_t Count() const { return cells_.size(); }

  private:
    struct Entry {
        uint32_t row;
        uint32_t column;
        uint64_t order;
        std::string text;
    };
    std::vector<Entry> cells_;
};

}  // namespace q36::exchange
