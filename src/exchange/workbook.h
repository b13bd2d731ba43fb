#pragma once
// A workbook to be written: named sheets of text and number cells, their formats and the
// widths of their columns. The same model feeds the .xlsx and the .xls writer.

#include <string>
#include <vector>

namespace q36::exchange {

// The cell formats a workbook of this program uses.
enum class CellFormat {
    General,  // no format of its own
    Text,     // "@": the content stays text exactly as written
    Fixed4,   // "0.0000": a number shown with four decimals
};

// The format code a spreadsheet knows the format by ("" for General).
const char* FormatCode(CellFormat format);

// One cell; rows and columns count from 1. An empty text with a format is a formatted blank.
struct Cell {
    int row = 1;
    int column = 1;
    CellFormat format = CellFormat::General;
    bool isNumber = false;
    std::string text;
    double number = 0;
};

// Width (in characters; 0 keeps the default) and format of one whole column.
struct ColumnSetting {
    int column = 1;
    double width = 0;
    CellFormat format = CellFormat::General;
};

// One sheet: its tab name, column settings and cells.
struct Sheet {
    std::string name;
    std::vector<ColumnSetting> columns;
    std::vector<Cell> cells;

    // Adds a text cell (a formatted blank when text is empty and format is not General).
    void PutText(int row, int column, std::string text, CellFormat format);
    // Adds a number cell.
    void PutNumber(int row, int column, double number, CellFormat format);
    // Cells in row-major order with each position kept once (the last one written wins).
    std::vector<Cell> OrderedCells() const;
};

// The sheets in tab order.
struct Workbook {
    std::vector<Sheet> sheets;
};

}  // namespace q36::exchange
