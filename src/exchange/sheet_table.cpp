#include "sheet_table.h"

#include "workbook_source.h"

namespace q36::exchange {

std::optional<SheetTable> SheetTable::FromCells(const SheetCells& cells,
                                                const std::string& keyColumn) {
    SheetTable table(cells);
    for (const auto& [column, text] : cells.Row(1)) {
        table.titles_.push_back(*text);
        table.titleColumns_.push_back(column);
    }
    table.keyIndex_ = table.ColumnIndex(keyColumn);
    if (table.keyIndex_ < 0) return std::nullopt;

    const uint32_t keyColumnNo = table.titleColumns_[static_cast<std::size_t>(table.keyIndex_)];
    for (const uint32_t row : cells.Rows()) {
        if (row >= 2 && !cells.Text(row, keyColumnNo).empty()) table.recordRows_.push_back(row);
    }
    return table;
}

int SheetTable::ColumnIndex(const std::string& title) const {
    for (std::size_t k = 0; k < titles_.size(); ++k) {
        if (titles_[k] == title) return static_cast<int>(k);
    }
    for (std::size_t k = 0; k < titles_.size(); ++k) {
        if (SameName(titles_[k], title)) return static_cast<int>(k);
    }
    return -1;
}

const std::string& SheetTable::Field(std::size_t r, int c) const {
    return cells_->Text(recordRows_.at(r), titleColumns_.at(static_cast<std::size_t>(c)));
}

}  // namespace q36::exchange
