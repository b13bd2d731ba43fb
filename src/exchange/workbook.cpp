#include "workbook.h"

#include <algorithm>

namespace q36::exchange {

const char* FormatCode(CellFormat format) {
    switch (format) {
        case CellFormat::Text:
            return "@";
        case CellFormat::Fixed4:
            return "0.0000";
        case CellFormat::General:
            break;
    }
    return "";
}

void Sheet::PutText(int row, int column, std::string text, CellFormat format) {
    Cell cell;
    cell.row = row;
    cell.column = column;
    cell.format = format;
    cell.text = std::move(text);
    cells.push_back(std::move(cell));
}

void Sheet::PutNumber(int row, int column, double number, CellFormat format) {
    Cell cell;
    cell.row = row;
    cell.column = column;
    cell.format = format;
    cell.isNumber = true;
    cell.number = number;
    cells.push_back(std::move(cell));
}

std::vector<Cell> Sheet::OrderedCells() const {
    std::vector<Cell> ordered = cells;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Cell& a, const Cell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    // Of several cells at one position the last one added stays, as when a cell is overwritten.
    std::vector<Cell> unique;
    for (auto& cell : ordered) {
        if (!unique.empty() && unique.back().row == cell.row &&
            unique.back().column == cell.column) {
            unique.back() = std::move(cell);
        } else {
            unique.push_back(std::move(cell));
        }
    }
    return unique;
}

}  // namespace q36::exchange
