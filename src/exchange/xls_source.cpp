#include "xls_source.h"

#include "biff_record_reader.h"
#include "codepage_text.h"
#include "compound_file.h"
#include "read_limits.h"

namespace q36::exchange {

namespace {

// Record types.
constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kFilePass = 0x002F;
constexpr uint16_t kCodepage = 0x0042;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kDimension = 0x0200;

constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kBiff5 = 0x0500;
constexpr uint16_t kGlobalsSubstream = 0x0005;
constexpr uint8_t kWorksheet = 0;

ExchangeStatus Damaged(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::Damaged, "xls: " + reason);
}

std::size_t DataSize(const BiffRecord& record) {
    std::size_t size = 0;
    for (const auto& part : record.parts) size += part.size();
    return size;
}

// Rows times columns as the sheets' dimension records declare them, added up: a workbook that
// claims more than the reader would take is refused before any sheet is read.
ExchangeStatus CheckDeclaredAreas(std::span<const uint8_t> stream) {
    uint64_t area = 0;
    BiffRecordReader records(stream, 0);
    for (BiffRecord record; records.Next(record);) {
        if (record.type != kDimension) continue;
        BiffFieldReader f(record);
        const std::size_t size = record.parts.front().size();
        if (size >= 14) {  // BIFF8: 32-bit row numbers
            f.Skip(4);
            const uint64_t rows = f.U32();
            f.Skip(2);
            area += rows * f.U16();
        } else if (size >= 10) {  // BIFF5
            f.Skip(2);
            const uint64_t rows = f.U16();
            f.Skip(2);
            area += rows * f.U16();
        }
        if (area > MAX_XLS_SHEET_AREA) {
            return ExchangeStatus::Error(ExchangeError::TooLarge,
                                         "xls: the sheets declare too many cells");
        }
    }
    return ExchangeStatus::Ok();
}

// The shared string table: its counts, then the strings, going on in CONTINUE records.
ExchangeStatus ReadStringTable(const BiffRecord& record, XlsSharedStrings& strings) {
    if (DataSize(record) < 8) return Damaged("the string table is cut short");
    BiffFieldReader f(record);
    f.Skip(4);  // how often the strings are used
    const uint32_t count = f.U32();
    // Every string takes at least its count and flags: a table claiming more than its bytes
    // can hold is damaged, and nothing is set aside for the claim.
    if (count > (DataSize(record) - 8) / 3) return Damaged("the string table claims too much");
    for (uint32_t k = 0; k < count; ++k) {
        strings.Add(f.UnicodeString(2));
        if (f.Failed()) return Damaged("the string table is cut short");
    }
    return ExchangeStatus::Ok();
}

}  // namespace

ExchangeStatus XlsSource::Open(const std::vector<uint8_t>& bytes) {
    CompoundFile container;
    if (auto status = container.Open(bytes); !status.ok()) return status;
    // "Book" is the stream's name in BIFF5 files.
    const char* name = container.HasStream("Workbook") ? "Workbook" : "Book";
    if (!container.HasStream(name)) return Damaged("no workbook stream");
    if (auto status = container.ReadStream(name, stream_); !status.ok()) return status;
    if (auto status = CheckDeclaredAreas(stream_); !status.ok()) return status;
    return ReadGlobals();
}

ExchangeStatus XlsSource::ReadGlobals() {
    BiffRecordReader records(stream_, 0);
    BiffRecord record;
    if (!records.Next(record) || record.type != kBof) return Damaged("no workbook globals");
    {
        BiffFieldReader f(record);
        const uint16_t version = f.U16();
        if (f.U16() != kGlobalsSubstream) return Damaged("no workbook globals");
        if (version != kBiff8 && version != kBiff5) {
            return Damaged("BIFF version " + std::to_string(version) + " is not read");
        }
        book_.biff8 = version == kBiff8;
    }
    std::vector<BiffRecord> sheets;
    bool ended = false;
    while (!ended && records.Next(record)) {
        switch (record.type) {
            case kFilePass:
                return Damaged("the workbook is encrypted");
            case kCodepage:
                book_.codepage = BiffFieldReader(record).U16();
                break;
            case kBoundSheet:
                sheets.push_back(record);
                break;
            case kSst:
                if (!book_.biff8) break;
                if (auto status = ReadStringTable(record, strings_); !status.ok()) return status;
                break;
            case kEof:
                ended = true;
                break;
            default:
                break;
        }
    }
    if (!ended) return Damaged("the workbook globals end before their last record");

    // The sheet list: the worksheets only, as a spreadsheet's worksheet collection has them
    // (chart and macro sheets are left out).
    CodepageText codepage(book_.codepage);
    for (const BiffRecord& sheet : sheets) {
        BiffFieldReader f(sheet);
        const uint32_t offset = f.U32();
        f.Skip(1);  // visibility: a hidden worksheet is still one
        const uint8_t type = f.U8();
        std::string sheetName = book_.biff8 ? f.UnicodeString(1) : f.ByteString(1, codepage);
        if (f.Failed()) return Damaged("a sheet entry is cut short");
        if (type != kWorksheet) continue;
        names_.push_back(std::move(sheetName));
        sheetOffsets_.push_back(offset);
    }
    return ExchangeStatus::Ok();
}

ExchangeStatus XlsSource::ReadSheetCells(std::size_t index, SheetCells& cells) {
    cells = SheetCells();
    if (index >= names_.size()) return Damaged("no sheet " + std::to_string(index + 1));
    XlsBook book = book_;
    book.strings = &strings_;
    return ReadXlsSheet(stream_, sheetOffsets_[index], book, names_[index], cells);
}

}  // namespace q36::exchange
