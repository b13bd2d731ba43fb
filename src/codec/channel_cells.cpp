#include "channel_cells.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "band_defaults.h"
#include "cell_texts.h"
#include "change_words.h"
#include "channel_fields.h"
#include "frequency.h"
#include "text/choice_lists.h"
#include "tone_tables.h"

namespace q36 {

namespace {

using namespace channel_column;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A value as it would be stored, or the reason it cannot be.
struct Converted {
    std::string stored;
    const TextPair* refusal = nullptr;
};

Converted Refuse(const TextPair& reason) {
    return {{}, &reason};
}

Converted CheckText(const std::string& text) {
    const std::string word = Upper(text);
    if (word == "TRUE" || word == "1") return {"True"};
    if (word == "FALSE" || word == "0") return {"False"};
    return Refuse(celltxt::RefusedCheck);
}

Converted FrequencyText(const std::string& text, const CellRules& rules) {
    // The grid takes no exponent either: "1.45e2" would pass the number check as 145.
    if (text.find_first_of("eE") != std::string::npos) return Refuse(celltxt::RefusedFreqNotNumber);
    switch (CheckFrequencyText(text, rules.bandLowMHz, rules.bandHighMHz)) {
        case FrequencyCheck::Ok:
            return {text};
        case FrequencyCheck::OutOfBand:
            return Refuse(celltxt::RefusedFreqOutOfBand);
        case FrequencyCheck::NotNumber:
            break;
    }
    return Refuse(celltxt::RefusedFreqNotNumber);
}

Converted ListText(ChoiceList list, const std::string& text, const CellRules& rules) {
    const int k = ChoiceIndexOfAny(list, text, rules.language);
    if (k < 0) return Refuse(celltxt::RefusedNotInList);
    return {ChoiceAt(list, k, rules.language)};
}

Converted ToneTypeText(const std::string& text) {
    const std::string type = Upper(text);
    if (ToneTypeCode(type) < 0) return Refuse(celltxt::RefusedNotInList);
    return {type};
}

// A tone value of the row's type as its table writes it: a CTCSS tone by its number ("67" is
// "67.0"), a DCS code without leading zeros ("023" is "23").
Converted ToneValueText(const std::string& type, const std::string& text) {
    const ToneTable table = ToneValueTable(type);
    if (table.empty()) {
        if (text.empty()) return {std::string()};
        return Refuse(celltxt::RefusedToneValue);
    }
    for (std::string_view entry : table)
        if (entry == text) return {text};
    const auto given = ParseDecimalText(text);
    if (given && !given->negative) {
        for (std::string_view entry : table) {
            const auto value = ParseDecimalText(entry);
            if (value && value->intDigits == given->intDigits &&
                value->fracDigits == given->fracDigits) {
                return {std::string(entry)};
            }
        }
    }
    return Refuse(celltxt::RefusedToneValue);
}

Converted LevelText(const std::string& text) {
    if (text.size() == 3 && text.front() == '[' && text.back() == ']' && text[1] >= '1' &&
        text[1] <= '9') {
        return {std::string(1, char(text[1] - 1))};
    }
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '8') return {text};
    return Refuse(celltxt::RefusedLevel);
}

Converted ConvertCell(const ChannelResult& row, int column, const std::string& given,
                      const CellRules& rules) {
    const std::string text = Trimmed(given);
    switch (column) {
        case Enabled:
        case Vox:
            return CheckText(text);
        case Ftx:
        case RxFreq:
            return FrequencyText(text, rules);
        case Ftone:
        case Retone:
            return ToneTypeText(text);
        case Sdata:
            return ToneValueText(row.FTONE, text);
        case Redata:
            return ToneValueText(row.RETONE, text);
        case TxPower:
            return ListText(lists::TxPower, text, rules);
        case Bw:
            return ListText(lists::Bandwidth, text, rules);
        case AddScan:
            return ListText(lists::AddScan, text, rules);
        case Busy:
            return ListText(lists::Busy, text, rules);
        case Level:
            return LevelText(text);
        default:
            return Refuse(celltxt::RefusedNotInList);
    }
}

// Whether a stored text already holds the value: frequencies by their number.
bool SameValue(int column, const std::string& current, const std::string& stored) {
    if (column == Ftx || column == RxFreq) {
        const auto a = ParseDecimalText(current);
        const auto b = ParseDecimalText(stored);
        if (a && b) {
            return a->negative == b->negative && a->intDigits == b->intDigits &&
                   a->fracDigits == b->fracDigits;
        }
    }
    return current == stored;
}

// The value a tone type starts with when it is chosen, as the grid resets it.
std::string ToneResetValue(const std::string& type) {
    if (type == ToneTypeTexts[1]) return "67.0";
    if (type == ToneTypeTexts[0]) return {};
    return "23";
}

int ChannelNumber(const ChannelResult& row, int index) {
    long long n = 0;
    if (!row.CHANNELNO.empty() &&
        std::all_of(row.CHANNELNO.begin(), row.CHANNELNO.end(),
                    [](char c) { return c >= '0' && c <= '9'; }) &&
        row.CHANNELNO.size() <= 3) {
        n = std::stoll(row.CHANNELNO);
    }
    return n > 0 ? int(n) : index + 1;
}

}  // namespace

std::string ChannelCellText(const ChannelResult& row, int column) {
    if (column == Level && row.LEVEL >= 0 && row.LEVEL <= 8) {
        return "[" + std::to_string(row.LEVEL + 1) + "]";
    }
    return ChannelFieldText(row, column);
}

std::string ChannelCellsText(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                             const std::vector<int>& columns) {
    TextBlock block;
    for (const int r : rowIndexes) {
        if (r < 0 || r >= int(rows.size())) continue;
        std::vector<std::string> cells;
        for (const int k : columns) cells.push_back(ChannelCellText(rows[std::size_t(r)], k));
        block.push_back(std::move(cells));
    }
    return WriteTabText(block);
}

std::vector<CellRefusal> ApplyChannelCells(ChannelResult& row,
                                           const std::vector<std::pair<int, std::string>>& cells,
                                           const CellRules& rules) {
    ChannelResult next = row;
    std::vector<CellRefusal> refused;
    const int channel = ChannelNumber(row, 0);
    // A channel that is disabled goes so after its other values, as a user unticks it last and
    // the workbook import writes it: it then keeps the values it came with.
    std::vector<std::pair<int, std::string>> ordered = cells;
    std::stable_partition(ordered.begin(), ordered.end(), [&](const auto& cell) {
        return cell.first != Enabled ||
               ConvertCell(next, Enabled, cell.second, rules).stored != "False";
    });
    for (const auto& [column, text] : ordered) {
        // The channel number is the row's key: a copied one is passed over, not refused.
        if (column <= ChannelNo || column >= CHANNEL_COLUMN_COUNT) continue;
        const Converted value = ConvertCell(next, column, text, rules);
        if (value.refusal) {
            refused.push_back({channel, column, text, *value.refusal});
            continue;
        }
        if (SameValue(column, ChannelFieldText(next, column), value.stored)) continue;
        if (!ChannelColumnWritable(next, column)) {
            refused.push_back({channel, column, text, celltxt::RefusedLocked});
            continue;
        }
        SetChannelFieldText(next, column, value.stored);
        if (column == Ftone) next.SDATA = ToneResetValue(value.stored);
        if (column == Retone) next.REDATA = ToneResetValue(value.stored);
    }
    if (refused.empty()) row = std::move(next);
    return refused;
}

CellsOutcome PasteChannelCells(const ChannelArr& rows, int startRow, int startColumn, int rowSpan,
                               int columnSpan, const TextBlock& block, const CellRules& rules) {
    CellsOutcome outcome{rows, {}, false};
    if (block.empty() || startRow < 0 || startColumn < 0) return outcome;
    const int blockRows = int(block.size());
    int blockColumns = 0;
    for (const auto& line : block) blockColumns = std::max(blockColumns, int(line.size()));
    if (blockColumns == 0) return outcome;
    // Repeated over a selection that is a whole multiple of the block, else pasted once.
    const bool repeat = (rowSpan > blockRows || columnSpan > blockColumns) &&
                        rowSpan % blockRows == 0 && columnSpan % blockColumns == 0;
    const int height = repeat ? rowSpan : blockRows;
    const int width = repeat ? columnSpan : blockColumns;
    const int rowCount = int(rows.size());
    if (startRow + height > rowCount || startColumn + width > CHANNEL_COLUMN_COUNT)
        outcome.cutOff = true;
    for (int dr = 0; dr < height && startRow + dr < rowCount; ++dr) {
        const auto& line = block[std::size_t(dr % blockRows)];
        std::vector<std::pair<int, std::string>> cells;
        for (int dc = 0; dc < width && startColumn + dc < CHANNEL_COLUMN_COUNT; ++dc) {
            const int source = dc % blockColumns;
            if (source < int(line.size()))
                cells.emplace_back(startColumn + dc, line[std::size_t(source)]);
        }
        auto refused = ApplyChannelCells(outcome.rows[std::size_t(startRow + dr)], cells, rules);
        outcome.refused.insert(outcome.refused.end(), refused.begin(), refused.end());
    }
    return outcome;
}

CellsOutcome FillDownChannels(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                              const std::vector<int>& columns, const CellRules& rules) {
    CellsOutcome outcome{rows, {}, false};
    if (rowIndexes.size() < 2) return outcome;
    const int first = rowIndexes.front();
    if (first < 0 || first >= int(rows.size())) return outcome;
    std::vector<std::pair<int, std::string>> cells;
    for (const int k : columns) cells.emplace_back(k, ChannelCellText(rows[std::size_t(first)], k));
    for (std::size_t i = 1; i < rowIndexes.size(); ++i) {
        const int r = rowIndexes[i];
        if (r < 0 || r >= int(rows.size())) continue;
        auto refused = ApplyChannelCells(outcome.rows[std::size_t(r)], cells, rules);
        outcome.refused.insert(outcome.refused.end(), refused.begin(), refused.end());
    }
    return outcome;
}

ChannelArr ClearChannels(const ChannelArr& rows, const std::vector<int>& rowIndexes,
                         const CellRules& rules) {
    ChannelArr cleared = rows;
    for (const int r : rowIndexes) {
        if (r < 0 || r >= int(rows.size())) continue;
        ChannelResult& row = cleared[std::size_t(r)];
        const std::string key = row.CHANNELNO;
        row = BandDefaultChannel(ChannelNumber(row, r), rules.bandLowMHz, rules.bandHighMHz,
                                 rules.language);
        row.CHANNELNO = key;
    }
    return cleared;
}

std::string DescribeCellRefusal(const CellRefusal& refusal, int language) {
    FieldChange place;
    place.part = FieldChange::Part::Channel;
    place.number = refusal.channel;
    if (refusal.column >= 0 && refusal.column < CHANNEL_COLUMN_COUNT)
        place.column = std::string(ChannelColumns[std::size_t(refusal.column)]);
    std::string text = Tr(celltxt::RefusalLine, language);
    // Filled in order, so that a value holding "{reason}" stays as it is.
    const std::pair<std::string_view, std::string> parts[] = {
        {"{where}", ChangePlace(place, language)},
        {"{column}", ChangeColumn(place, language)},
        {"{reason}", Tr(refusal.reason, language)},
        {"{value}", ChangeValue(refusal.value, language)},
    };
    for (const auto& [name, value] : parts) text = Fill(std::move(text), name, value);
    return text;
}

}  // namespace q36
