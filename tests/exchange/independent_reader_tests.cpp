// The workbooks as other programs see them: openpyxl reads the .xlsx file and xlrd the .xls
// file, both under the system's /usr/bin/python3.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "exchange/configuration_sheets.h"
#include "exchange/text_forms.h"
#include "exchange/workbook_file.h"
#include "exchange_test_support.h"

namespace q36::exchange {
namespace {

using testing::PythonHasModule;
using testing::RunPython;
using testing::SampleConfiguration;
using testing::ScratchDir;

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
    ScratchDir dir;
    const std::string path = dir.File(std::string("config.") + reader.extension);
    const Workbook workbook = BuildConfigurationWorkbook(SampleConfiguration());
    ASSERT_TRUE(SaveWorkbookFile(workbook, path).Ok());

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

}  // namespace
}  // namespace q36::exchange
