#include "sheet_cells.h"

#include <algorithm>

namespace q36::exchange {

namespace {
const std::string kEmpty;
}

void SheetCells::Add(uint32_t row, uint32_t column, std::string text) {
    if (text.empty()) return;
    cells_.push_back({row, column, cells_.size(), std::move(text)});
}

void SheetCells::Finish() {
    std::sort(cells_.begin(), cells_.end(), [](const Entry& a, const Entry& b) {
        if (a.row != b.row) return a.row < b.row;
        if (a.column != b.column) return a.column < b.column;
        return a.order > b.order;  // the latest first, so that it survives the unique below
    });
    cells_.erase(std::unique(cells_.begin(), cells_.end(),
                             [](const Entry& a, const Entry& b) {
                                 return a.row == b.row && a.column == b.column;
                             }),
                 cells_.end());
}

const std::string& SheetCells::Text(uint32_t row, uint32_t column) const {
    const auto it = std::lower_bound(cells_.begin(), cells_.end(), std::make_pair(row, column),
                                     [](const Entry& e, const std::pair<uint32_t, uint32_t>& key) {
                                         return std::make_pair(e.row, e.column) < key;
                                     });
    if (it == cells_.end() || it->row != row || it->column != column) return kEmpty;
    return it->text;
}

std::vector<uint32_t> SheetCells::Rows() const {
    std::vector<uint32_t> rows;
    for (const auto& cell : cells_) {
        if (rows.empty() || rows.back() != cell.row) rows.push_back(cell.row);
    }
    return rows;
}

std::vector<std::pair<uint32_t, const std::string*>> SheetCells::Row(uint32_t row) const {
    std::vector<std::pair<uint32_t, const std::string*>> result;
    auto it = std::lower_bound(cells_.begin(), cells_.end(), row,
                               [](const Entry& e, uint32_t r) { return e.row < r; });
    for (; it != cells_.end() && it->row == row; ++it) result.emplace_back(it->column, &it->text);
    return result;
}

}  // namespace q36::exchange
