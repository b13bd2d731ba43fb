#include "xls_writer.h"

#include <gsf/gsf-infile.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-memory.h>

#include <algorithm>
#include <map>

#include "biff_record_writer.h"
#include "biff_string_table.h"
#include "exchange_texts.h"
#include "gsf_library.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

// Record types.
constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kCodepage = 0x0042;
constexpr uint16_t kWindow1 = 0x003D;
constexpr uint16_t kDateMode = 0x0022;
constexpr uint16_t kFont = 0x0031;
constexpr uint16_t kFormat = 0x041E;
constexpr uint16_t kXf = 0x00E0;
constexpr uint16_t kStyle = 0x0293;
constexpr uint16_t kBoundSheet = 0x0085;
constexpr uint16_t kDefColWidth = 0x0055;
constexpr uint16_t kColInfo = 0x007D;
constexpr uint16_t kDimension = 0x0200;
constexpr uint16_t kLabelSst = 0x00FD;
constexpr uint16_t kNumber = 0x0203;
constexpr uint16_t kBlank = 0x0201;
constexpr uint16_t kWindow2 = 0x023E;

constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kGlobalsSubstream = 0x0005;
constexpr uint16_t kSheetSubstream = 0x0010;
constexpr uint16_t kUtf16Codepage = 1200;

// Number formats: "@" is built in as 49; our own formats start at 164.
constexpr uint16_t kGeneralFormat = 0;
constexpr uint16_t kTextFormat = 49;
constexpr uint16_t kFixed4Format = 164;

// Cell XF indexes: 0..14 are the style XFs every workbook carries, 15 the default cell XF.
constexpr uint16_t kStyleXfCount = 15;
constexpr uint16_t kGeneralXf = 15;
constexpr uint16_t kTextXf = 16;
constexpr uint16_t kFixed4Xf = 17;

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;

// A workbook stream below 4096 bytes would go to the compound file's small-block area, which
// some readers of .xls files do not accept; shorter streams are padded after their last record.
constexpr std::size_t kMinStreamSize = 4096;

uint16_t XfOf(CellFormat format) {
    switch (format) {
        case CellFormat::Text:
            return kTextXf;
        case CellFormat::Fixed4:
            return kFixed4Xf;
        case CellFormat::General:
            break;
    }
    return kGeneralXf;
}

BiffPayload BofPayload(uint16_t substreamType) {
    BiffPayload p;
    // Version, substream type, build and year of the writing application, file history flags,
    // lowest version able to read the file.
    p.U16(kBiff8).U16(substreamType).U16(0x0DBB).U16(0x07CC).U32(0).U32(0x00000006);
    return p;
}

BiffPayload XfPayload(uint16_t format, bool style, uint8_t usedAttributes) {
    BiffPayload p;
    p.U16(0).U16(format);
    // Locked; a style XF has no parent (0xFFF), a cell XF has the Normal style (0) as parent.
    p.U16(style ? 0xFFF5 : 0x0001);
    p.U8(0x20);  // general horizontal alignment, bottom vertical alignment
    p.U8(0).U8(0).U8(usedAttributes);
    p.U32(0).U32(0);  // no borders, no fill pattern
    p.U16(0x20C0);    // default pattern colours (64, 65)
    return p;
}

void WriteGlobalsHead(BiffRecordWriter& out) {
    out.Record(kBof, BofPayload(kGlobalsSubstream));
    out.Record(kCodepage, BiffPayload().U16(kUtf16Codepage));
    BiffPayload window;
    window.U16(0).U16(0).U16(0x4000).U16(0x2000).U16(0x0038).U16(0).U16(0).U16(1).U16(0x0258);
    out.Record(kWindow1, window);
    out.Record(kDateMode, BiffPayload().U16(0));
    // Five fonts: readers skip index 4 by convention, so the list needs at least five entries.
    for (int k = 0; k < 5; ++k) {
        BiffPayload font;
        font.U16(200).U16(0).U16(0x7FFF).U16(400).U16(0).U8(0).U8(0).U8(0).U8(0);
        font.ShortAscii("Arial");
        out.Record(kFont, font);
    }
    BiffPayload fixed4;
    fixed4.U16(kFixed4Format).LongAscii(FormatCode(CellFormat::Fixed4));
    out.Record(kFormat, fixed4);
    out.Record(kXf, XfPayload(kGeneralFormat, true, 0x00));
    for (int k = 1; k < kStyleXfCount; ++k) out.Record(kXf, XfPayload(kGeneralFormat, true, 0xF4));
    out.Record(kXf, XfPayload(kGeneralFormat, false, 0x00));
    out.Record(kXf, XfPayload(kTextFormat, false, 0x04));
    out.Record(kXf, XfPayload(kFixed4Format, false, 0x04));
    // The built-in Normal style on XF 0.
    out.Record(kStyle, BiffPayload().U16(0x8000).U8(0).U8(0xFF));
}

// A width in characters as a spreadsheet stores it, in 1/256 of a character: the width is
// turned into whole pixels of a 7-pixel character plus 5 pixels of padding, as a spreadsheet
// shows it (16 characters are stored as 16.71).
uint16_t StoredColumnWidth(double characters) {
    characters = std::clamp(characters, 1.0, 255.0);
    const int pixels = static_cast<int>(characters * 7 + 0.5) + 5;
    return static_cast<uint16_t>(pixels * 256 / 7);
}

void WriteColumns(BiffRecordWriter& out, const Sheet& sheet) {
    out.Record(kDefColWidth, BiffPayload().U16(8));
    std::map<int, ColumnSetting> columns;
    for (const auto& setting : sheet.columns) {
        if (setting.column >= 1 && setting.column <= kMaxColumns) columns[setting.column] = setting;
    }
    for (const auto& [column, setting] : columns) {
        BiffPayload p;
        p.U16(static_cast<uint16_t>(column - 1)).U16(static_cast<uint16_t>(column - 1));
        p.U16(StoredColumnWidth(setting.width > 0 ? setting.width : 8.43))
            .U16(XfOf(setting.format));
        p.U16(0).U16(0);  // visible, no outline
        out.Record(kColInfo, p);
    }
}

ExchangeStatus WriteSheet(BiffRecordWriter& out, const Sheet& sheet, bool active, int language,
                          BiffStringTable& strings) {
    const std::vector<Cell> cells = sheet.OrderedCells();
    out.Record(kBof, BofPayload(kSheetSubstream));
    WriteColumns(out, sheet);

    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const Cell& cell = cells[k];
        if (cell.row < 1 || cell.row > kMaxRows || cell.column < 1 || cell.column > kMaxColumns) {
            return ExchangeStatus::Error(ExchangeError::WriteFailed, "cell outside an .xls sheet");
        }
        firstRow = k == 0 ? cell.row : std::min(firstRow, cell.row);
        lastRow = std::max(lastRow, cell.row);
        firstColumn = k == 0 ? cell.column : std::min(firstColumn, cell.column);
        lastColumn = std::max(lastColumn, cell.column);
    }
    BiffPayload dimension;
    // First used row and column, and one past the last ones (all zero for an empty sheet).
    dimension.U32(cells.empty() ? 0 : firstRow - 1).U32(static_cast<uint32_t>(lastRow));
    dimension.U16(static_cast<uint16_t>(cells.empty() ? 0 : firstColumn - 1));
    dimension.U16(static_cast<uint16_t>(lastColumn)).U16(0);
    out.Record(kDimension, dimension);

    for (const Cell& cell : cells) {
        BiffPayload p;
        p.U16(static_cast<uint16_t>(cell.row - 1)).U16(static_cast<uint16_t>(cell.column - 1));
        p.U16(XfOf(cell.format));
        if (cell.isNumber) {
            out.Record(kNumber, p.F64(cell.number));
        } else if (cell.text.empty()) {
            out.Record(kBlank, p);
        } else {
            const std::u16string text = Utf16FromUtf8(cell.text);
            if (text.size() > MAX_CELL_TEXT_UNITS) {
                return ExchangeStatus::Error(ExchangeError::WriteFailed,
                                             Tr(texts::ReasonTextTooLong, language));
            }
            out.Record(kLabelSst, p.U32(strings.Add(text)));
        }
    }

    BiffPayload window;
    // Grid lines, headers, zeros, outline symbols, default colours; the first sheet selected.
    window.U16(active ? 0x06B6 : 0x00B6).U16(0).U16(0).U16(0x40).U16(0);
    window.U16(0).U16(0).U32(0);
    out.Record(kWindow2, window);
    out.Record(kEof);
    return ExchangeStatus::Ok();
}

}  // namespace

ExchangeStatus BuildBiffStream(const Workbook& workbook, int language,
                               std::vector<uint8_t>& stream) {
    BiffRecordWriter globals;
    WriteGlobalsHead(globals);

    std::vector<std::size_t> sheetOffsetFields;
    for (const auto& sheet : workbook.sheets) {
        std::u16string name = Utf16FromUtf8(sheet.name);
        if (name.size() > 31) name.resize(31);
        BiffPayload p;
        sheetOffsetFields.push_back(globals.Offset() + 4);
        p.U32(0).U8(0).U8(0).ShortString(name);  // offset patched below; visible worksheet
        globals.Record(kBoundSheet, p);
    }

    // The sheet substreams are built first: their cells fill the string table, which the
    // globals substream carries before them.
    BiffStringTable strings;
    std::vector<BiffRecordWriter> sheets(workbook.sheets.size());
    for (std::size_t k = 0; k < workbook.sheets.size(); ++k) {
        auto status = WriteSheet(sheets[k], workbook.sheets[k], k == 0, language, strings);
        if (!status.ok()) return status;
    }
    strings.Write(globals);
    globals.Record(kEof);

    std::vector<uint8_t> out = globals.TakeStream();
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const auto offset = static_cast<uint32_t>(out.size());
        for (int b = 0; b < 4; ++b) {
            out[sheetOffsetFields[k] + b] = static_cast<uint8_t>(offset >> (8 * b));
        }
        out.insert(out.end(), sheets[k].Stream().begin(), sheets[k].Stream().end());
    }
    if (out.size() < kMinStreamSize) out.resize(kMinStreamSize, 0);
    stream = std::move(out);
    return ExchangeStatus::Ok();
}

ExchangeStatus BuildXlsFile(const Workbook& workbook, int language, std::vector<uint8_t>& file) {
    std::vector<uint8_t> stream;
    auto status = BuildBiffStream(workbook, language, stream);
    if (!status.ok()) return status;
    return BuildXlsFileOfStream(stream, file);
}

ExchangeStatus BuildXlsFileOfStream(const std::vector<uint8_t>& stream,
                                    std::vector<uint8_t>& file) {
    InitGsfLibrary();
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    GsfOutput* child = ole ? gsf_outfile_new_child(ole, "Workbook", FALSE) : nullptr;
    bool ok = child != nullptr && gsf_output_write(child, stream.size(), stream.data());
    if (child) ok = gsf_output_close(child) && ok;
    if (ole) ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    // Closing the compound file closes its sink as well.
    if (!gsf_output_is_closed(sink)) ok = gsf_output_close(sink) && ok;
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
        const auto size = static_cast<std::size_t>(gsf_output_size(sink));
        file.assign(bytes, bytes + size);
    }
    if (child) g_object_unref(child);
    if (ole) g_object_unref(ole);
    g_object_unref(sink);
    if (!ok) {
        return ExchangeStatus::Error(ExchangeError::WriteFailed,
                                     "the OLE2 container could not be built");
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
