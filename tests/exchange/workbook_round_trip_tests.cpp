// Workbooks written by both writers and read back by the project's reader, cell by cell.

#include <gtest/gtest.h>

#include "exchange/configuration_sheets.h"
#include "exchange/text_forms.h"
#include "exchange/workbook_file.h"
#include "exchange/workbook_source.h"
#include "exchange_test_support.h"

namespace q36::exchange {
namespace {

using testing::SampleConfiguration;
using testing::ScratchFolder;

class WorkbookRoundTrip : public ::testing::TestWithParam<const char*> {
  protected:
    std::string Target() const { return dir_.File(std::string("book.") + GetParam()); }

    // Saves the workbook, reads it back and compares every sheet name and cell.
    void ExpectReadsBack(const Workbook& workbook) {
        const ExchangeStatus saved = SaveWorkbookFile(workbook, Target(), LANGUAGE_CHINESE);
        ASSERT_TRUE(saved.ok()) << saved.detail;
        OpenedWorkbook opened = OpenWorkbookFile(Target(), LANGUAGE_CHINESE);
        ASSERT_TRUE(opened.status.ok()) << opened.status.detail;
        ASSERT_EQ(opened.source->SheetNames().size(), workbook.sheets.size());
        for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
            const Sheet& sheet = workbook.sheets[s];
            EXPECT_EQ(opened.source->SheetNames()[s], sheet.name);
            SheetCells cells;
            const ExchangeStatus read = opened.source->ReadSheet(s, cells);
            ASSERT_TRUE(read.ok()) << read.detail;
            std::size_t nonEmpty = 0;
            for (const Cell& cell : sheet.OrderedCells()) {
                const std::string expected = cell.isNumber ? NumberText(cell.number) : cell.text;
                nonEmpty += expected.empty() ? 0 : 1;
                EXPECT_EQ(
                    cells.Text(static_cast<uint32_t>(cell.row), static_cast<uint32_t>(cell.column)),
                    expected)
                    << sheet.name << " row " << cell.row << " column " << cell.column;
            }
            EXPECT_EQ(cells.Count(), nonEmpty) << sheet.name;
        }
    }

    ScratchFolder dir_;
};

TEST_P(WorkbookRoundTrip, ConfigurationSheetsReadBackCellByCell) {
    const Workbook workbook = BuildConfigurationWorkbook(SampleConfiguration(), 0);
    ASSERT_EQ(workbook.sheets.size(), 3u);
    EXPECT_EQ(workbook.sheets[0].name, "公共参数");
    EXPECT_EQ(workbook.sheets[1].name, "信道参数");
    EXPECT_EQ(workbook.sheets[2].name, "扫描列表");
    ExpectReadsBack(workbook);
}

TEST_P(WorkbookRoundTrip, LongManyAndAwkwardTextsSurvive) {
    Workbook workbook;
    Sheet sheet;
    sheet.name = "长文本 & <sheet>";
    std::string longText;
    for (int k = 0; k < 6000; ++k) longText += k % 2 ? "信" : "a";  // spans several records
    sheet.PutText(1, 1, longText, CellFormat::Text);
    sheet.PutText(1, 2, "01", CellFormat::Text);
    sheet.PutText(1, 3, "a&b<c>\"d\" 'e'", CellFormat::General);
    sheet.PutText(1, 4, "tab\there", CellFormat::Text);
    sheet.PutText(1, 5, "\xF0\x9F\x93\xBB radio", CellFormat::Text);
    sheet.PutText(1, 6, "_x0041_ bell\x07 cr\r lf\n", CellFormat::Text);
    sheet.PutNumber(1, 7, 435.0125, CellFormat::Fixed4);
    sheet.PutNumber(1, 8, -1e20, CellFormat::General);
    sheet.PutText(1, 9, "", CellFormat::Text);  // a formatted blank reads as empty
    for (int k = 0; k < 3000; ++k)
        sheet.PutText(2 + k / 10, 1 + k % 10, "s" + std::to_string(k), CellFormat::Text);
    workbook.sheets.push_back(sheet);
    workbook.sheets.push_back(Sheet{"Empty", {}, {}});
    ExpectReadsBack(workbook);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, WorkbookRoundTrip, ::testing::Values("xlsx", "xls"));

TEST(FormatForName, XlsNamesGetExcel97AndEverythingElseXlsx) {
    EXPECT_EQ(FormatForName("/a/b.xls"), WorkbookFormat::Xls);
    EXPECT_EQ(FormatForName("B.XLS"), WorkbookFormat::Xls);
    EXPECT_EQ(FormatForName("b.xlsx"), WorkbookFormat::Xlsx);
    EXPECT_EQ(FormatForName("b.xls.bak"), WorkbookFormat::Xlsx);
    EXPECT_EQ(FormatForName("/dir.xls/book"), WorkbookFormat::Xlsx);
    EXPECT_EQ(FormatForName("book.csv"), WorkbookFormat::Xlsx);
}

TEST(WorkbookContent, IsRecognisedByContentNotByName) {
    ScratchFolder dir;
    const Workbook workbook = BuildConfigurationWorkbook(SampleConfiguration(), 0);
    ASSERT_TRUE(SaveWorkbookFile(workbook, dir.File("real.xls"), LANGUAGE_CHINESE).ok());
    ASSERT_TRUE(SaveWorkbookFile(workbook, dir.File("real.xlsx"), LANGUAGE_CHINESE).ok());
    // Swapped names: each file is still read by its content.
    std::rename(dir.File("real.xls").c_str(), dir.File("swapped.xlsx").c_str());
    std::rename(dir.File("real.xlsx").c_str(), dir.File("swapped.xls").c_str());
    for (const char* name : {"swapped.xlsx", "swapped.xls"}) {
        OpenedWorkbook opened = OpenWorkbookFile(dir.File(name), LANGUAGE_CHINESE);
        ASSERT_TRUE(opened.status.ok()) << name << ": " << opened.status.detail;
        SheetCells cells;
        ASSERT_TRUE(opened.source->ReadSheet(1, cells).ok());
        EXPECT_EQ(cells.Text(2, 4), "400") << name;
    }
}

}  // namespace
}  // namespace q36::exchange
