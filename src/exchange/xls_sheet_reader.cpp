#include "xls_sheet_reader.h"

#include <bit>
#include <cmath>
#include <optional>

#include "biff_record_reader.h"
#include "codepage_text.h"
#include "read_limits.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

// Record types.
constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kNumber = 0x0203;
constexpr uint16_t kRk = 0x027E;
constexpr uint16_t kMulRk = 0x00BD;
constexpr uint16_t kLabelSst = 0x00FD;
constexpr uint16_t kLabel = 0x0204;
constexpr uint16_t kRString = 0x00D6;
constexpr uint16_t kBoolErr = 0x0205;
constexpr uint16_t kFormula = 0x0006;
constexpr uint16_t kString = 0x0207;
constexpr uint16_t kSharedFormula = 0x04BC;
constexpr uint16_t kArray = 0x0221;
constexpr uint16_t kTable = 0x0236;

// A formula's result of 8 bytes is a double, unless its last two bytes are 0xFFFF: then its
// first byte tells the kind and its third byte holds a boolean or an error code.
constexpr uint8_t kTextResult = 0;
constexpr uint8_t kBooleanResult = 1;
constexpr uint8_t kErrorResult = 2;
constexpr uint8_t kEmptyResult = 3;

ExchangeStatus Damaged(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::Damaged, "xls: " + reason);
}

// "F4" for row 3, column 5 (both from 0).
std::string CellName(uint32_t row, uint32_t column) {
    std::string letters;
    for (uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters + std::to_string(row + 1);
}

// An error value as a spreadsheet shows it.
std::string ErrorText(uint8_t code) {
    switch (code) {
        case 0x00:
            return "#NULL!";
        case 0x07:
            return "#DIV/0!";
        case 0x0F:
            return "#VALUE!";
        case 0x17:
            return "#REF!";
        case 0x1D:
            return "#NAME?";
        case 0x24:
            return "#NUM!";
        case 0x2A:
            return "#N/A";
        default:
            return "#" + std::to_string(code);
    }
}

// An RK value: a 30-bit integer or the high 30 bits of a double, optionally divided by 100.
double RkValue(uint32_t rk) {
    const double value = rk & 0x02 ? static_cast<double>(static_cast<int32_t>(rk) >> 2)
                                   : std::bit_cast<double>(static_cast<uint64_t>(rk & ~3u) << 32);
    return rk & 0x01 ? value / 100 : value;
}

// Collects the cells of one sheet within the reader's limits.
class SheetBuilder {
  public:
    SheetBuilder(const std::string& sheetName, SheetCells& cells)
        : sheetName_(sheetName), cells_(cells) {}

    ExchangeStatus Text(uint32_t row, uint32_t column, std::string text) {
        if (text.empty()) return ExchangeStatus::Ok();
        textBytes_ += text.size();
        if (++count_ > MAX_SHEET_CELLS || textBytes_ > MAX_SHEET_TEXT_BYTES) {
            return ExchangeStatus::Error(ExchangeError::TooLarge,
                                         "xls: sheet " + sheetName_ + " holds too much");
        }
        cells_.Add(row + 1, column + 1, std::move(text));
        return ExchangeStatus::Ok();
    }
    ExchangeStatus Number(uint32_t row, uint32_t column, double value) {
        // No spreadsheet stores infinities or NaNs; those bits are damage.
        if (!std::isfinite(value)) return Damaged("no number in cell " + Where(row, column));
        return Text(row, column, NumberText(value));
    }
    // A cell holding an error instead of a value refuses the sheet, naming the cell.
    ExchangeStatus ErrorValue(uint32_t row, uint32_t column, uint8_t code) const {
        return ExchangeStatus::Error(ExchangeError::ErrorValue,
                                     Where(row, column) + ": " + ErrorText(code));
    }
    std::string Where(uint32_t row, uint32_t column) const {
        return sheetName_ + "!" + CellName(row, column);
    }

  private:
    const std::string& sheetName_;
    SheetCells& cells_;
    std::size_t count_ = 0;
    std::size_t textBytes_ = 0;
};

// A formula cell whose last value is a text, which the STRING record after it holds.
struct PendingText {
    uint32_t row;
    uint32_t column;
};

// The last value of a formula cell.
ExchangeStatus ReadFormula(BiffFieldReader& f, uint32_t row, uint32_t column, SheetBuilder& sheet,
                           std::optional<PendingText>& pending) {
    f.Skip(2);
    uint8_t result[8];
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k) {
        result[k] = f.U8();
        bits |= static_cast<uint64_t>(result[k]) << (8 * k);
    }
    if (f.Failed()) return ExchangeStatus::Ok();
    if (result[6] != 0xFF || result[7] != 0xFF) {
        return sheet.Number(row, column, std::bit_cast<double>(bits));
    }
    switch (result[0]) {
        case kTextResult:
            pending = PendingText{row, column};
            return ExchangeStatus::Ok();
        case kBooleanResult:
            return sheet.Text(row, column, result[2] ? "True" : "False");
        case kErrorResult:
            return sheet.ErrorValue(row, column, result[2]);
        case kEmptyResult:
            return ExchangeStatus::Ok();
        default:
            return Damaged("a formula result of no known kind in " + sheet.Where(row, column));
    }
}

// The record after a formula whose value is a text: the shared or array formula it may define,
// then the STRING record with the text.
ExchangeStatus ReadFormulaText(const BiffRecord& record, const XlsBook& book,
                               std::optional<CodepageText>& codepage, SheetBuilder& sheet,
                               std::optional<PendingText>& pending) {
    if (record.type == kSharedFormula || record.type == kArray || record.type == kTable) {
        return ExchangeStatus::Ok();
    }
    const PendingText cell = *pending;
    pending.reset();
    if (record.type != kString) {
        return Damaged("the text of the formula in " + sheet.Where(cell.row, cell.column) +
                       " is missing");
    }
    BiffFieldReader f(record);
    std::string text = book.biff8 ? f.UnicodeString(2) : f.ByteString(2, *codepage);
    if (f.Failed()) {
        return Damaged("the text of the formula in " + sheet.Where(cell.row, cell.column) +
                       " is cut short");
    }
    return sheet.Text(cell.row, cell.column, std::move(text));
}

// The value of one cell record; the records that hold no value give success and no cell.
ExchangeStatus ReadCell(const BiffRecord& record, const XlsBook& book,
                        std::optional<CodepageText>& codepage, SheetBuilder& sheet,
                        std::optional<PendingText>& pending) {
    BiffFieldReader f(record);
    const uint32_t row = f.U16();
    const uint32_t column = f.U16();
    ExchangeStatus status;
    switch (record.type) {
        case kNumber:
            f.Skip(2);
            status = sheet.Number(row, column, f.F64());
            break;
        case kRk:
            f.Skip(2);
            status = sheet.Number(row, column, RkValue(f.U32()));
            break;
        case kMulRk: {
            // The first column, then an XF and an RK value per column, then the last column.
            const auto data = record.parts.front();
            const std::size_t size = data.size();
            const uint32_t last = size < 12 ? 0 : data[size - 2] | (data[size - 1] << 8);
            if (size < 12 || (size - 6) % 6 != 0 || last < column ||
                last - column + 1 != (size - 6) / 6) {
                return Damaged("a run of numbers that does not fit its columns");
            }
            for (uint32_t c = column; c <= last && status.ok(); ++c) {
                f.Skip(2);
                status = sheet.Number(row, c, RkValue(f.U32()));
            }
            break;
        }
        case kLabelSst: {
            f.Skip(2);
            const uint32_t index = f.U32();
            if (!book.strings || index >= book.strings->Size()) {
                return Damaged("shared string index out of range");
            }
            status = sheet.Text(row, column, std::string(book.strings->At(index)));
            break;
        }
        case kLabel:
        case kRString:
            f.Skip(2);
            status = sheet.Text(row, column,
                                book.biff8 ? f.UnicodeString(2) : f.ByteString(2, *codepage));
            break;
        case kBoolErr: {
            f.Skip(2);
            const uint8_t value = f.U8();
            const bool error = f.U8() != 0;
            if (f.Failed()) break;
            status = error ? sheet.ErrorValue(row, column, value)
                           : sheet.Text(row, column, value ? "True" : "False");
            break;
        }
        case kFormula:
            status = ReadFormula(f, row, column, sheet, pending);
            break;
        default:
            return ExchangeStatus::Ok();
    }
    if (f.Failed()) return Damaged("a cell record cut short in " + sheet.Where(row, column));
    return status;
}

}  // namespace

void XlsSharedStrings::Add(const std::string& text) {
    text_ += text;
    ends_.push_back(static_cast<uint32_t>(text_.size()));
}

std::string_view XlsSharedStrings::At(std::size_t index) const {
    const uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

ExchangeStatus ReadXlsSheet(std::span<const uint8_t> stream, std::size_t offset,
                            const XlsBook& book, const std::string& sheetName, SheetCells& cells) {
    cells = SheetCells();
    BiffRecordReader records(stream, offset);
    BiffRecord record;
    if (!records.Next(record) || record.type != kBof) {
        return Damaged("sheet " + sheetName + " is not where the sheet list says");
    }
    std::optional<CodepageText> codepage;
    if (!book.biff8) codepage.emplace(book.codepage);
    SheetBuilder sheet(sheetName, cells);
    // An embedded chart brings a substream of its own, from its BOF to its EOF record.
    int nested = 0;
    std::optional<PendingText> pending;
    while (records.Next(record)) {
        if (pending) {
            if (auto status = ReadFormulaText(record, book, codepage, sheet, pending);
                !status.ok()) {
                cells = SheetCells();
                return status;
            }
        } else if (record.type == kBof) {
            ++nested;
        } else if (record.type == kEof && nested > 0) {
            --nested;
        } else if (record.type == kEof) {
            cells.Finish();
            return ExchangeStatus::Ok();
        } else if (nested == 0) {
            if (auto status = ReadCell(record, book, codepage, sheet, pending); !status.ok()) {
                cells = SheetCells();
                return status;
            }
        }
    }
    cells = SheetCells();
    return Damaged("sheet " + sheetName + " ends before its last record");
}

}  // namespace q36::exchange
