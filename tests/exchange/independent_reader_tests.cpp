// The workbooks as other programs see them: openpyxl reads the .xlsx file and xlrd the .xls
// file, both under the system's /usr/bin/python3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "exchange/configuration_reader.h"
#include "exchange/configuration_sheets.h"
#include "exchange/exchange_texts.h"
#include "exchange/text_forms.h"
#include "exchange/workbook_file.h"
#include "exchange/workbook_source.h"
#include "exchange_test_support.h"

namespace q36::exchange {
namespace {

using testing::Le16;
using testing::PythonHasModule;
using testing::RunPython;
using testing::SampleConfiguration;
using testing::ScratchFolder;
using testing::XlsRecord;

// Both scripts print the same dump: the sheet names, then one line per stored cell
// "sheet|row|column|kind|value|format" (kind s text, n number, b formatted blank), then one line
// per column setting "sheet|col|column|width|format".
constexpr const char* kNumberForm = R"(
def number(v):
    v = float(v)
    return str(int(v)) if v.is_integer() else repr(v)
)";

constexpr const char* kOpenpyxlDump = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print('|'.join(wb.sheetnames))
for ws in wb.worksheets:
    for row in ws.iter_rows():
        for c in row:
            if c.value is None:
                if c.has_style and c.number_format != 'General':
                    print(f'{ws.title}|{c.row}|{c.column}|b||{c.number_format}')
                continue
            kind = 'n' if c.data_type == 'n' else 's'
            value = number(c.value) if kind == 'n' else c.value
            print(f'{ws.title}|{c.row}|{c.column}|{kind}|{value}|{c.number_format}')
    for key, dim in sorted(ws.column_dimensions.items()):
        if dim.customWidth:
            for col in range(dim.min, dim.max + 1):
                print(f'{ws.title}|col|{col}|{round(dim.width, 2)}|{dim.number_format}')
)";

constexpr const char* kXlrdDump = R"(
import sys, xlrd
wb = xlrd.open_workbook(sys.argv[1], formatting_info=True)
print('|'.join(wb.sheet_names()))
def fmt(xf_index):
    return wb.format_map[wb.xf_list[xf_index].format_key].format_str
for ws in wb.sheets():
    for r in range(ws.nrows):
        for c in range(ws.ncols):
            cell = ws.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            kind = {xlrd.XL_CELL_TEXT: 's', xlrd.XL_CELL_NUMBER: 'n', xlrd.XL_CELL_BLANK: 'b'}[cell.ctype]
            value = number(cell.value) if kind == 'n' else cell.value
            print(f'{ws.name}|{r + 1}|{c + 1}|{kind}|{value}|{fmt(cell.xf_index)}')
    for col, info in sorted(ws.colinfo_map.items()):
        print(f'{ws.name}|col|{col + 1}|{round(info.width / 256, 2)}|{fmt(info.xf_index)}')
)";

std::string FormatText(CellFormat format) {
    return format == CellFormat::General ? "General" : FormatCode(format);
}

// The dump the scripts must print for the workbook.
std::string ExpectedDump(const Workbook& workbook) {
    std::ostringstream out;
    for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
        out << (s ? "|" : "") << workbook.sheets[s].name;
    }
    out << "\n";
    for (const auto& sheet : workbook.sheets) {
        for (const auto& cell : sheet.OrderedCells()) {
            const char* kind = cell.isNumber ? "n" : (cell.text.empty() ? "b" : "s");
            out << sheet.name << "|" << cell.row << "|" << cell.column << "|" << kind << "|"
                << (cell.isNumber ? NumberText(cell.number) : cell.text) << "|"
                << FormatText(cell.format) << "\n";
        }
        for (const auto& column : sheet.columns) {
            out << sheet.name << "|col|" << column.column << "|16.71|" << FormatText(column.format)
                << "\n";
        }
    }
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct ReaderCase {
    const char* extension;
    const char* module;
    const char* script;
};

class IndependentReader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(IndependentReader, SeesTheConfigurationWorkbookAsWritten) {
    const ReaderCase& reader = GetParam();
    if (!PythonHasModule(reader.module)) GTEST_SKIP() << "/usr/bin/python3 lacks " << reader.module;
    ScratchFolder dir;
    const std::string path = dir.File(std::string("config.") + reader.extension);
    const Workbook workbook = BuildConfigurationWorkbook(SampleConfiguration(), 0);
    ASSERT_TRUE(SaveWorkbookFile(workbook, path, LANGUAGE_CHINESE).ok());

    int exitCode = 0;
    const std::string dump = RunPython(std::string(kNumberForm) + reader.script, {path}, &exitCode);
    ASSERT_EQ(exitCode, 0) << dump;
    const std::vector<std::string> lines = Lines(dump);

    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "公共参数|信道参数|扫描列表");
    // The channel sheet's first channel, as the band reset leaves it.
    const std::vector<std::string> row2{
        "信道参数|2|1|s|01|@",       "信道参数|2|2|s|True|@",     "信道参数|2|3|s|True|@",
        "信道参数|2|4|n|400|0.0000", "信道参数|2|5|s|NULL|@",     "信道参数|2|6|b||@",
        "信道参数|2|7|s|高|@",       "信道参数|2|8|n|440|0.0000", "信道参数|2|9|s|NULL|@",
        "信道参数|2|10|b||@",        "信道参数|2|11|s|4|@",       "信道参数|2|12|s|宽|@",
        "信道参数|2|13|s|不添加|@",  "信道参数|2|14|s|关|@"};
    for (const auto& line : row2) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_NE(std::find(lines.begin(), lines.end(), "信道参数|1|6|s|发数值|General"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "信道参数|1|10|s|收数值|General"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "信道参数|4|4|n|435.0125|0.0000"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "公共参数|col|2|16.71|@"), lines.end());

    // And everything else as the model has it.
    EXPECT_EQ(dump, ExpectedDump(workbook));
}

INSTANTIATE_TEST_SUITE_P(Readers, IndependentReader,
                         ::testing::Values(ReaderCase{"xlsx", "openpyxl", kOpenpyxlDump},
                                           ReaderCase{"xls", "xlrd", kXlrdDump}),
                         [](const auto& info) { return std::string(info.param.module); });

// The values of every cell as xlrd reads them, "sheet|row|column|text", numbers in the
// reader's form.
constexpr const char* kXlrdValues = R"(
import sys, xlrd
wb = xlrd.open_workbook(sys.argv[1])
for ws in wb.sheets():
    for r in range(ws.nrows):
        for c in range(ws.ncols):
            cell = ws.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_NUMBER: v = number(cell.value)
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN: v = str(bool(cell.value))
            elif cell.ctype == xlrd.XL_CELL_TEXT: v = cell.value
            else: continue
            if v: print(f'{ws.name}|{r + 1}|{c + 1}|{v}')
)";

// The same dump of what the project's reader gives; the first failure instead when there is one.
std::string ReaderValues(const std::string& path) {
    OpenedWorkbook opened = OpenWorkbookFile(path, LANGUAGE_CHINESE);
    if (!opened.status.ok()) return opened.status.detail;
    std::ostringstream out;
    for (std::size_t s = 0; s < opened.source->SheetNames().size(); ++s) {
        SheetCells cells;
        if (auto status = opened.source->ReadSheet(s, cells); !status.ok()) return status.detail;
        for (const uint32_t row : cells.Rows()) {
            for (const auto& [column, text] : cells.Row(row)) {
                out << opened.source->SheetNames()[s] << "|" << row << "|" << column << "|" << *text
                    << "\n";
            }
        }
    }
    return out.str();
}

std::string F64(double value) {
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

// A worksheet and a chart sheet of an Excel 95 (BIFF5) workbook in the Chinese codepage 936;
// small, so the container keeps it in its mini stream.
std::vector<XlsRecord> Biff5Records(const std::string& label) {
    const std::string cell = Le16(0) + Le16(0) + Le16(0);
    return {{0x0809, Le16(0x0500) + Le16(0x0005) + Le16(0x0DBB) + Le16(0x07CC)},
            {0x0042, Le16(936)},
            {0x00E0, std::string(16, '\0')},  // XF 0: general format
            {0x0085, std::string(4, '\0') + '\0' + '\0' + "\x08\xD0\xC5\xB5\xC0\xB2\xCE\xCA\xFD"},
            {0x0085, std::string(4, '\0') + '\0' + '\x02' + "\x06" + "Chart1"},
            {0x000A, ""},
            {0x0809, Le16(0x0500) + Le16(0x0010) + Le16(0x0DBB) + Le16(0x07CC)},
            {0x0204, cell + Le16(static_cast<uint16_t>(label.size())) + label},
            {0x027E, Le16(0) + Le16(1) + Le16(0) + Le16(5 << 2 | 2) + Le16(0)},
            {0x00BD, Le16(1) + Le16(0) + Le16(0) + Le16((43501 << 2 | 3) & 0xFFFF) +
                         Le16(43501 >> 14) + Le16(0) + Le16(0) + Le16(0x3FE0) + Le16(1)},
            {0x0203, Le16(2) + Le16(0) + Le16(0) + F64(435.0125)},
            {0x0205, Le16(2) + Le16(1) + Le16(0) + "\x01" + '\0'},
            {0x000A, ""}};
}

template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// A FORMULA record of cell (row, column from 1): its last result and its tokens.
XlsRecord Formula(int row, int column, const std::string& result, const std::string& tokens) {
    return {0x0006, Le16(static_cast<uint16_t>(row - 1)) + Le16(static_cast<uint16_t>(column - 1)) +
                        Le16(16) + result + Le16(0) + std::string(4, '\0') +
                        Le16(static_cast<uint16_t>(tokens.size())) + tokens};
}

// The sample configuration with formulas as LibreOffice saves them: TOPSET =60*2, and on
// channel 3 SDATA ="100"&".0" (its text in the STRING record after it) and LEVEL =3+2, channel
// 2's ENABLED =TRUE(); with an error also channel 3's REDATA =1/0.
std::vector<XlsRecord> FormulaRecords(bool withError) {
    auto records = testing::XlsRecordsOf(BuildConfigurationWorkbook(SampleConfiguration(), 0));
    testing::ReplaceXlsCell(records, 0, 4, 2,
                            {Formula(4, 2, F64(120), Bytes("\x1E\x3C\0\x1E\x02\0\x05"))});
    testing::ReplaceXlsCell(records, 1, 4, 6,
                            {Formula(4, 6, Bytes("\0\0\0\0\0\0\xFF\xFF"),
                                     Bytes("\x17\x03\0"
                                           "100"
                                           "\x17\x02\0"
                                           ".0"
                                           "\x08")),
                             {0x0207, Le16(5) + '\0' + "100.0"}});
    testing::ReplaceXlsCell(records, 1, 4, 11,
                            {Formula(4, 11, F64(5), Bytes("\x1E\x03\0\x1E\x02\0\x03"))});
    testing::ReplaceXlsCell(records, 1, 3, 2,
                            {Formula(3, 2, Bytes("\x01\0\x01\0\0\0\xFF\xFF"), "\x1D\x01")});
    if (withError) {
        testing::ReplaceXlsCell(
            records, 1, 4, 10,
            {Formula(4, 10, Bytes("\x02\0\x07\0\0\0\xFF\xFF"), Bytes("\x1E\x01\0\x1E\0\0\x06"))});
    }
    return records;
}

TEST(IndependentXlsReader, ReadsEveryCellAsXlrdDoes) {
    if (!PythonHasModule("xlrd")) GTEST_SKIP() << "/usr/bin/python3 lacks xlrd";
    ScratchFolder dir;
    ASSERT_TRUE(SaveWorkbookFile(BuildConfigurationWorkbook(SampleConfiguration(), 0),
                                 dir.File("saved.xls"), LANGUAGE_CHINESE)
                    .ok());
    testing::WriteXlsRecords(dir.File("biff5.xls"), Biff5Records("\xD0\xC5\xB5\xC0"));
    testing::WriteXlsRecords(dir.File("formulas.xls"), FormulaRecords(false));
    for (const std::string& path :
         {std::string(Q36_FIXTURES_DIR) + "/libreoffice-resaved.xls", dir.File("saved.xls"),
          dir.File("biff5.xls"), dir.File("formulas.xls")}) {
        int exitCode = 0;
        const std::string expected =
            RunPython(std::string(kNumberForm) + kXlrdValues, {path}, &exitCode);
        ASSERT_EQ(exitCode, 0) << path;
        EXPECT_EQ(ReaderValues(path), expected) << path;
    }
    EXPECT_NE(ReaderValues(dir.File("biff5.xls")).find("信道参数|1|1|信道\n"), std::string::npos);

    // A byte that codepage 936 does not map, which xlrd refuses, reads as U+FFFD.
    testing::WriteXlsRecords(dir.File("biff5.xls"), Biff5Records("\xD0\xC5\xFF"));
    EXPECT_NE(ReaderValues(dir.File("biff5.xls")).find("信道参数|1|1|信\xEF\xBF\xBD\n"),
              std::string::npos);
}

TEST(IndependentXlsReader, FormulaCellsImportTheirLastResultAndErrorsRefuseTheFile) {
    ScratchFolder dir;
    ImportRules rules;
    rules.bandLowMHz = 400;
    rules.bandHighMHz = 440;
    Configuration read = BlankConfiguration();
    testing::WriteXlsRecords(dir.File("formulas.xls"), FormulaRecords(false));
    const ConfigurationCheck check =
        ReadConfigurationWorkbook(dir.File("formulas.xls"), rules, read);
    ASSERT_TRUE(check.Ok()) << check.status.detail;
    Configuration expected = SampleConfiguration();
    expected.common.tot = "120";
    expected.channels[2].SDATA = "100.0";
    expected.channels[2].LEVEL = 5;
    expected.channels[1].ENABLED = "True";
    EXPECT_TRUE(read == expected);

    testing::WriteXlsRecords(dir.File("error.xls"), FormulaRecords(true));
    const ConfigurationCheck refused =
        ReadConfigurationWorkbook(dir.File("error.xls"), rules, read);
    EXPECT_EQ(refused.status.code, ExchangeError::ErrorValue);
    EXPECT_EQ(refused.status.detail, Tr(texts::ReasonErrorValue, LANGUAGE_CHINESE) +
                                         " (信道参数!J4: #DIV/0!): " + dir.File("error.xls"));
}

// Writes the .xls seeds of the fuzz target that are made here (see tests/fuzz/make_seeds.py).
TEST(FuzzSeeds, DISABLED_WriteXls) {
    const char* folder = std::getenv("Q36_FUZZ_SEEDS");
    ASSERT_NE(folder, nullptr) << "set Q36_FUZZ_SEEDS to the xls corpus folder";
    testing::WriteXlsRecords(std::string(folder) + "/formulas.xls", FormulaRecords(false));
    testing::WriteXlsRecords(std::string(folder) + "/biff5-codepage-936.xls",
                             Biff5Records("\xD0\xC5\xB5\xC0"));
}

}  // namespace
}  // namespace q36::exchange
