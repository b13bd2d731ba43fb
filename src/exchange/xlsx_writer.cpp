#include "xlsx_writer.h"

#include <xlsxwriter.h>

#include <cerrno>

#include "exchange_texts.h"
#include "text_forms.h"
#include "xls_writer.h"
#include "xml_part.h"

namespace q36::exchange {

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// The library's text of the failure, and for a failed file operation the system's as well.
std::string LibraryErrorText(lxw_error error, int err) {
    std::string text = lxw_strerror(error);
    const bool fileOperation = error == LXW_ERROR_CREATING_XLSX_FILE ||
                               error == LXW_ERROR_CREATING_TMPFILE ||
                               error == LXW_ERROR_ZIP_FILE_OPERATION ||
                               error == LXW_ERROR_ZIP_FILE_ADD || error == LXW_ERROR_ZIP_CLOSE;
    if (fileOperation && err != 0) text += " (" + SystemErrorText(err) + ")";
    return text;
}

class XlsxFormats {
  public:
    explicit XlsxFormats(lxw_workbook* workbook)
        : text_(workbook_add_format(workbook)), fixed4_(workbook_add_format(workbook)) {
        format_set_num_format(text_, FormatCode(CellFormat::Text));
        format_set_num_format(fixed4_, FormatCode(CellFormat::Fixed4));
    }
    lxw_format* Of(CellFormat format) const {
        switch (format) {
            case CellFormat::Text:
                return text_;
            case CellFormat::Fixed4:
                return fixed4_;
            case CellFormat::General:
                break;
        }
        return nullptr;
    }

  private:
    lxw_format* text_;
    lxw_format* fixed4_;
};

lxw_error WriteCell(lxw_worksheet* sheet, const Cell& cell, const XlsxFormats& formats) {
    const auto row = static_cast<lxw_row_t>(cell.row - 1);
    const auto column = static_cast<lxw_col_t>(cell.column - 1);
    lxw_format* format = formats.Of(cell.format);
    if (cell.isNumber) return worksheet_write_number(sheet, row, column, cell.number, format);
    if (cell.text.empty()) {
        return format ? worksheet_write_blank(sheet, row, column, format) : LXW_NO_ERROR;
    }
    // The library escapes control characters as _xHHHH_ but leaves such sequences of the text
    // itself alone, which a reader would then take for escapes.
    const std::string text = EscapeOoxmlUnderscores(ValidUtf8(cell.text));
    return worksheet_write_string(sheet, row, column, text.c_str(), format);
}

}  // namespace

ExchangeStatus WriteXlsxFile(const Workbook& workbook, const std::string& path, int language) {
    for (const auto& sheet : workbook.sheets) {
        for (const auto& cell : sheet.cells) {
            if (cell.row < 1 || cell.row > kMaxRows || cell.column < 1 ||
                cell.column > kMaxColumns) {
                return ExchangeStatus::Error(ExchangeError::WriteFailed, "cell outside a sheet");
            }
            if (!cell.isNumber && Utf16FromUtf8(cell.text).size() > MAX_CELL_TEXT_UNITS) {
                return ExchangeStatus::Error(ExchangeError::WriteFailed,
                                             Tr(texts::ReasonTextTooLong, language));
            }
        }
    }

    lxw_workbook_options options{};
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book) {
        return ExchangeStatus::Error(ExchangeError::CannotCreate, "cannot start the .xlsx writer");
    }
    const XlsxFormats formats(book);
    lxw_error error = LXW_NO_ERROR;
    for (const auto& sheet : workbook.sheets) {
        const std::string name = ValidUtf8(sheet.name);
        error = workbook_validate_sheet_name(book, name.c_str());
        if (error != LXW_NO_ERROR) break;
        lxw_worksheet* ws = workbook_add_worksheet(book, name.c_str());
        if (!ws) {
            error = LXW_ERROR_MEMORY_MALLOC_FAILED;
            break;
        }
        for (const auto& setting : sheet.columns) {
            const auto column = static_cast<lxw_col_t>(setting.column - 1);
            const double width = setting.width > 0 ? setting.width : LXW_DEF_COL_WIDTH;
            error = worksheet_set_column(ws, column, column, width, formats.Of(setting.format));
            if (error != LXW_NO_ERROR) break;
        }
        for (const auto& cell : sheet.cells) {
            if (error != LXW_NO_ERROR) break;
            error = WriteCell(ws, cell, formats);
        }
        if (error != LXW_NO_ERROR) break;
    }
    errno = 0;
    // The workbook is closed (and freed) whatever happened; a failure before closing wins.
    const lxw_error closeError = workbook_close(book);
    const int err = errno;
    if (error == LXW_NO_ERROR) error = closeError;
    if (error != LXW_NO_ERROR) {
        return ExchangeStatus::Error(ExchangeError::WriteFailed, LibraryErrorText(error, err));
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
