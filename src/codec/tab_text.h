#pragma once
// Tab-separated text as spreadsheets (LibreOffice Calc, Excel) put cells on the clipboard and
// take them from it: fields separated by a tab, rows by "\n" or "\r\n", an optional newline after
// the last row, and a field that holds a tab, a line break or a quote written in quotes with its
// quotes doubled.

#include <string>
#include <string_view>
#include <vector>

namespace q36 {

// Rows of fields, as a block of cells.
using TextBlock = std::vector<std::vector<std::string>>;

// The cells of text; an empty text is no rows. A quote opens a quoted field only as the field's
// first character; elsewhere it is an ordinary character. A lone "\r" ends a row too.
TextBlock ParseTabText(std::string_view text);

// The block as a spreadsheet takes it: every row ends with "\n", fields quoted only where needed.
std::string WriteTabText(const TextBlock& block);

}  // namespace q36
