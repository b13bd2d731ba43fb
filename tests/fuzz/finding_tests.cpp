// What the fuzz runs found, each kept as a test of the behaviour that replaced the fault. The
// inputs themselves are in the corpus folders, named regression-*.

#include <gtest/gtest.h>

#include <pthread.h>

#include <filesystem>

#include "exchange/workbook_source.h"

namespace q36::fuzz {
namespace {

const std::filesystem::path kCorpora(Q36_FUZZ_CORPORA);

TEST(FuzzFindings, AnXlsFileThatCrashedFreeXLIsReportedAsDamaged) {
    // FreeXL 1.0.6 read out of bounds and died inside freexl_open on this file, whose channel
    // sheet ends in the middle of a record.
    const std::string path = (kCorpora / "xls" / "regression-freexl-crash.xls").string();
    const exchange::OpenedWorkbook opened = exchange::OpenWorkbookFile(path, LANGUAGE_CHINESE);
    ASSERT_TRUE(opened.status.ok()) << opened.status.detail;
    exchange::SheetCells channels;
    const exchange::ExchangeStatus status = opened.source->ReadSheet(1, channels);
    EXPECT_EQ(status.code, exchange::ExchangeError::Damaged);
    EXPECT_NE(status.detail.find(path), std::string::npos) << status.detail;
    EXPECT_EQ(channels.Count(), 0u);
}

TEST(FuzzFindings, AnXlsDirectoryThatLeaksInLibgsfIsReportedAsDamaged) {
    // libgsf 1.14 keeps part of a damaged directory it gives up on; the replay of this file under
    // the leak checker shows whether that happens in the program's own process.
    const std::string path = (kCorpora / "xls" / "regression-libgsf-leak.xls").string();
    const exchange::OpenedWorkbook opened = exchange::OpenWorkbookFile(path, LANGUAGE_CHINESE);
    EXPECT_EQ(opened.status.code, exchange::ExchangeError::Damaged);
    EXPECT_NE(opened.status.detail.find("ole2: "), std::string::npos) << opened.status.detail;
    EXPECT_FALSE(opened.source);
}

TEST(FuzzFindings, XlsIsReadWithoutStartingAProcess) {
    // A child forked from the program, whose serial and window threads run, may call nothing but
    // async-signal-safe functions; the reader starts no process at all.
    static int forks = 0;
    pthread_atfork([] { ++forks; }, nullptr, nullptr);
    const exchange::OpenedWorkbook opened =
        exchange::OpenWorkbookFile((kCorpora / "xls" / "saved-zh.xls").string(), LANGUAGE_CHINESE);
    ASSERT_TRUE(opened.status.ok()) << opened.status.detail;
    EXPECT_EQ(opened.source->SheetNames(),
              (std::vector<std::string>{"公共参数", "信道参数", "扫描列表"}));
    exchange::SheetCells channels;
    ASSERT_TRUE(opened.source->ReadSheet(1, channels).ok());
    EXPECT_EQ(channels.Text(1, 1), "信道");
    EXPECT_EQ(channels.Text(25, 1), "24");
    EXPECT_EQ(channels.Rows().size(), 25u);
    exchange::SheetCells none;
    EXPECT_FALSE(opened.source->ReadSheet(3, none).ok());
    EXPECT_EQ(forks, 0);
}

TEST(FuzzFindings, XlsxTextsThatAreNotUtf8ArriveWithReplacementCharacters) {
    // The XML parser passes invalid UTF-8 on; stored as it was, it would be written into the next
    // saved workbook, which spreadsheet programs then refuse to open.
    const exchange::OpenedWorkbook opened = exchange::OpenWorkbookFile(
        (kCorpora / "xlsx" / "regression-invalid-utf8.xlsx").string(), LANGUAGE_CHINESE);
    ASSERT_TRUE(opened.status.ok()) << opened.status.detail;
    exchange::SheetCells common, channels;
    ASSERT_TRUE(opened.source->ReadSheet(0, common).ok());
    ASSERT_TRUE(opened.source->ReadSheet(1, channels).ok());
    EXPECT_EQ(common.Text(2, 5), "\x15o\xEF\xBF\xBD\xE5\x8A\xA8");  // a stray byte
    EXPECT_EQ(channels.Text(2, 7), "\xEF\xBF\xBD\xEF\xBF\xBD");     // a sequence cut short
}

}  // namespace
}  // namespace q36::fuzz
