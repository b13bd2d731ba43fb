#include "xls_source.h"

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

#include "gsf_library.h"
#include "read_limits.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

ExchangeStatus LibraryFailure(const std::string& what, int code) {
    // Out of memory aside, every FreeXL failure means a file it cannot take apart.
    const auto error =
        code == FREEXL_INSUFFICIENT_MEMORY ? ExchangeError::TooLarge : ExchangeError::Damaged;
    return ExchangeStatus::Failure(error,
                                   "xls: " + what + " (FreeXL error " + std::to_string(code) + ")");
}

constexpr uint16_t kDimension = 0x0200;

uint32_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// The workbook stream of the compound file ("Workbook", or "Book" for BIFF5); false when the
// container cannot be read or holds neither.
bool ReadWorkbookStream(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& stream) {
    InitGsfLibrary();
    GsfInput* input =
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE);
    GsfInfile* ole = gsf_infile_msole_new(input, nullptr);
    GsfInput* child = nullptr;
    if (ole) {
        child = gsf_infile_child_by_name(ole, "Workbook");
        if (!child) child = gsf_infile_child_by_name(ole, "Book");
    }
    bool ok = false;
    if (child) {
        const gsf_off_t size = gsf_input_size(child);
        if (size >= 0 && static_cast<uint64_t>(size) <= MAX_WORKBOOK_FILE_BYTES) {
            stream.resize(static_cast<std::size_t>(size));
            ok = size == 0 || gsf_input_read(child, stream.size(), stream.data()) != nullptr;
        }
        g_object_unref(child);
    }
    if (ole) g_object_unref(ole);
    g_object_unref(input);
    return ok;
}

// FreeXL sets aside one cell for every row and column each sheet's dimensions declare, for all
// sheets at once; a few bytes could make it take gigabytes. The declared areas are added up here
// first, and a container whose workbook stream cannot be found is refused before FreeXL sees it.
ExchangeStatus CheckDeclaredAreas(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> stream;
    if (!ReadWorkbookStream(bytes, stream)) {
        return ExchangeStatus::Failure(ExchangeError::Damaged, "xls: no workbook stream");
    }
    uint64_t area = 0;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const uint32_t type = Le16(stream, at);
        const uint32_t length = Le16(stream, at + 2);
        if (at + 4 + length > stream.size()) break;
        if (type == kDimension && length >= 14) {  // BIFF8: 32-bit row numbers
            area += static_cast<uint64_t>(Le32(stream, at + 8)) * Le16(stream, at + 14);
        } else if (type == kDimension && length >= 10) {  // BIFF5
            area += static_cast<uint64_t>(Le16(stream, at + 6)) * Le16(stream, at + 10);
        }
        if (area > MAX_XLS_SHEET_AREA) {
            return ExchangeStatus::Failure(ExchangeError::TooLarge,
                                           "xls: the sheets declare too many cells");
        }
        at += 4 + length;
    }
    return ExchangeStatus::Success();
}

}  // namespace

XlsSource::~XlsSource() {
    if (handle_) freexl_close(handle_);
}

ExchangeStatus XlsSource::Open(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (auto status = CheckDeclaredAreas(bytes); !status.Ok()) return status;
    const int opened = freexl_open(path.c_str(), &handle_);
    // Some damaged string tables make FreeXL report success without a handle.
    if (opened != FREEXL_OK || !handle_) {
        return LibraryFailure("cannot open the workbook",
                              opened != FREEXL_OK ? opened : FREEXL_NULL_HANDLE);
    }
    unsigned int info = 0;
    if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        return ExchangeStatus::Failure(ExchangeError::Damaged, "xls: the workbook is encrypted");
    }
    unsigned int count = 0;
    if (const int got = freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count);
        got != FREEXL_OK) {
        return LibraryFailure("no sheet list", got);
    }
    for (unsigned int k = 0; k < count && k <= 0xFFFF; ++k) {
        const char* name = nullptr;
        if (const int got =
                freexl_get_worksheet_name(handle_, static_cast<unsigned short>(k), &name);
            got != FREEXL_OK) {
            return LibraryFailure("no sheet name", got);
        }
        names_.push_back(ValidUtf8(name ? name : ""));
    }
    return ExchangeStatus::Success();
}

ExchangeStatus XlsSource::ReadSheetCells(std::size_t index, SheetCells& cells) {
    cells = SheetCells();
    if (index >= names_.size()) {
        return ExchangeStatus::Failure(ExchangeError::Damaged,
                                       "xls: no sheet " + std::to_string(index + 1));
    }
    if (const int got = freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index));
        got != FREEXL_OK) {
        return LibraryFailure("cannot select sheet " + names_[index], got);
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (const int got = freexl_worksheet_dimensions(handle_, &rows, &columns); got != FREEXL_OK) {
        return LibraryFailure("no dimensions of sheet " + names_[index], got);
    }
    if (static_cast<std::size_t>(rows) * columns > MAX_XLS_SHEET_AREA) {
        return ExchangeStatus::Failure(ExchangeError::TooLarge,
                                       "xls: sheet " + names_[index] + " is too large");
    }
    std::size_t count = 0;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value{};
            if (const int got = freexl_get_cell_value(handle_, row, column, &value);
                got != FREEXL_OK) {
                return LibraryFailure("cannot read a cell of sheet " + names_[index], got);
            }
            std::string text;
            switch (value.type) {
                case FREEXL_CELL_INT:
                    text = std::to_string(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = NumberText(value.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    text = ValidUtf8(value.value.text_value ? value.value.text_value : "");
                    break;
                default:
                    continue;
            }
            if (text.empty()) continue;
            if (++count > MAX_SHEET_CELLS) {
                return ExchangeStatus::Failure(
                    ExchangeError::TooLarge, "xls: sheet " + names_[index] + " has too many cells");
            }
            cells.Add(row + 1, column + 1u, std::move(text));
        }
    }
    cells.Finish();
    return ExchangeStatus::Success();
}

}  // namespace q36::exchange
