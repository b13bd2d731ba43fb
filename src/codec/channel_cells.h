#pragma once
// The channel rows as cells a spreadsheet copies and pastes, and the many-cell edits over them
// (paste, fill down, clear). Every value goes through the checks a typed cell goes through: the
// band check of the frequencies, the lock rule of a disabled channel, list values only from their
// lists (words of either language), tone values only from their type's table, the tone value reset
// when the tone type changes, and the channel number never written. A row with any value refused
// keeps all its values: no row is half changed.
//
// Cells hold the stored texts, but for the squelch level, shown "[1]".."[9]" as the grid shows it.
// A pasted level may be "[n]" or the stored digit "0".."8" (a workbook's form); a bare digit is
// always the stored value, so "1" is "[2]".

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "channel_block.h"
#include "tab_text.h"
#include "text/language.h"

namespace q36 {

// What the cells are checked against.
struct CellRules {
    int bandLowMHz = 0;
    int bandHighMHz = 0;
    int language = LANGUAGE_CHINESE;  // the words a list value is stored in
};

// A value that was not taken: channel 1..24, grid column, the text as given and why.
struct CellRefusal {
    int channel = 0;
    int column = 0;
    std::string value;
    TextPair reason;
};

// The rows after a many-cell edit, the values refused, and whether the block reached beyond the
// grid and was cut off there.
struct CellsOutcome {
    ChannelArr rows;
    std::vector<CellRefusal> refused;
    bool cutOff = false;
};

// The cell text of column k of a row: the stored text, the level as "[n]".
std::string ChannelCellText(const ChannelResult& row, int column);

// The rows' cells of the given columns (both in grid order) as tab-separated text.
std::string ChannelCellsText(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                             const std::vector<int>& columns);

// Applies (column, text) cells to a row in their order (but a disabling ENABLED last), through
// every check; the refused ones are returned and then the row is left exactly as it was.
std::vector<CellRefusal> ApplyChannelCells(ChannelResult& row,
                                           const std::vector<std::pair<int, std::string>>& cells,
                                           const CellRules& rules);

// Pastes block with its top-left cell at (startRow, startColumn). When the selection
// (rowSpan x columnSpan from there) is larger than the block and a whole multiple of it, the block
// is repeated over it, so one copied value fills the selection as in a spreadsheet.
CellsOutcome PasteChannelCells(const ChannelArr& rows, int startRow, int startColumn, int rowSpan,
                               int columnSpan, const TextBlock& block, const CellRules& rules);

// The first of the rows (grid order) gives its values of the columns to the others.
CellsOutcome FillDownChannels(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                              const std::vector<int>& columns, const CellRules& rules);

// The rows back to the band's defaults, as the band reset writes them (it goes by no lock).
ChannelArr ClearChannels(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                         const CellRules& rules);

// One refusal in plain words ("信道 5 发送频率：“500”——频率超出本机频段").
std::string DescribeCellRefusal(const CellRefusal& refusal, int language);

}  // namespace q36
