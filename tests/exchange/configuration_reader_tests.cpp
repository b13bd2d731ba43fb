// Reading the configuration back from a workbook: what is taken, what is skipped, and what
// refuses the whole workbook before anything could be stored.

#include "exchange/configuration_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "codec/channel_fields.h"
#include "exchange/configuration_sheets.h"
#include "exchange/exchange_texts.h"
#include "exchange/workbook_file.h"
#include "exchange_test_support.h"
#include "text/language.h"

namespace q36::exchange {
namespace {

using testing::SampleConfiguration;
using testing::ScratchFolder;

// The band 400-440 of the delivered store.
ImportRules StoreRules() {
    ImportRules rules;
    rules.bandLowMHz = 400;
    rules.bandHighMHz = 440;
    return rules;
}

// Overwrites (or creates) a cell of a built workbook.
void Put(Workbook& workbook, std::size_t sheet, int row, int column, const std::string& text) {
    workbook.sheets[sheet].PutText(row, column, text, CellFormat::Text);
}

class ConfigurationReader : public ::testing::Test {
  protected:
    ConfigurationCheck Read(const Workbook& workbook, const char* extension = "xlsx",
                            WorkbookLanguages languages = WorkbookLanguages::Current) {
        const std::string path = dir_.File(std::string("book.") + extension);
        EXPECT_TRUE(SaveWorkbookFile(workbook, path, LANGUAGE_CHINESE).ok());
        ImportRules rules = StoreRules();
        rules.languages = languages;
        rules.language = language_;
        read_ = BlankConfiguration();
        return ReadConfigurationWorkbook(path, rules, read_);
    }
    ScratchFolder dir_;
    int language_ = LANGUAGE_CHINESE;  // the program's
    // What the records went over: channels "01".."24" and lists 1..5 with empty values.
    Configuration read_ = BlankConfiguration();
    Workbook workbook_ = BuildConfigurationWorkbook(SampleConfiguration(), 0);
};

TEST_F(ConfigurationReader, ReadsBackExactlyWhatWasSavedInBothFormats) {
    for (const char* extension : {"xlsx", "xls"}) {
        const ConfigurationCheck check = Read(workbook_, extension);
        ASSERT_TRUE(check.Ok()) << extension << ": " << check.status.detail;
        EXPECT_TRUE(read_ == SampleConfiguration()) << extension;
    }
}

TEST_F(ConfigurationReader, ReadsWorkbooksResavedByASpreadsheetProgram) {
    // Made from this program's own export by LibreOffice Calc (see tests/fixtures/README.md).
    for (const char* name : {"libreoffice-resaved.xlsx", "libreoffice-resaved.xls"}) {
        read_ = BlankConfiguration();
        const ConfigurationCheck check = ReadConfigurationWorkbook(
            std::string(Q36_FIXTURES_DIR) + "/" + name, StoreRules(), read_);
        ASSERT_TRUE(check.Ok()) << name << ": " << check.status.detail;
        EXPECT_TRUE(read_ == SampleConfiguration()) << name;
    }
}

TEST_F(ConfigurationReader, RecordsWithUnknownOrEmptyKeysAreSkipped) {
    // Channel "99" with a frequency that would fail, list "6", a blank row and an empty key.
    Put(workbook_, 1, 26, 1, "99");
    Put(workbook_, 1, 26, 4, "abc");
    Put(workbook_, 1, 28, 4, "300");  // no key: not a record at all
    Put(workbook_, 2, 7, 1, "6");
    Put(workbook_, 2, 7, 2, "CH05");
    const ConfigurationCheck check = Read(workbook_);
    ASSERT_TRUE(check.Ok()) << check.status.detail;
    EXPECT_TRUE(read_ == SampleConfiguration());
    EXPECT_EQ(check.skippedChannels, std::vector<std::string>{"99"});
    EXPECT_EQ(check.skippedScans, std::vector<std::string>{"6"});
}

TEST_F(ConfigurationReader, ValuesASpreadsheetRewroteAreStoredInTheirOwnForm) {
    // Keys and a level turned into numbers or typed with blanks, tones as numbers, a value
    // under tone type "NULL", an emptied slot, and a notes sheet in front of the common form.
    for (int n = 1; n <= 24; ++n) workbook_.sheets[1].PutNumber(n + 1, 1, n, CellFormat::General);
    for (int n = 1; n <= 5; ++n) workbook_.sheets[2].PutNumber(n + 1, 1, n, CellFormat::General);
    Put(workbook_, 1, 3, 1, " 02 ");
    Put(workbook_, 1, 4, 1, "3.0");
    workbook_.sheets[1].PutNumber(4, 6, 67, CellFormat::General);  // CTCSS "67.0"
    Put(workbook_, 1, 4, 10, "0754");                              // DCS "754"
    workbook_.sheets[1].PutNumber(4, 11, 0, CellFormat::General);
    Put(workbook_, 1, 5, 2, "TRUE");
    Put(workbook_, 1, 2, 6, "67.0");  // cleared, as the grid clears it for "NULL"
    Put(workbook_, 2, 3, 3, "");
    Sheet notes;
    notes.name = "Notes";
    notes.PutText(2, 2, "typed by hand", CellFormat::Text);
    workbook_.sheets.insert(workbook_.sheets.begin(), notes);
    for (const char* extension : {"xlsx", "xls"}) {
        const ConfigurationCheck check = Read(workbook_, extension);
        ASSERT_TRUE(check.Ok()) << extension << ": " << check.status.detail;
        EXPECT_TRUE(read_ == SampleConfiguration()) << extension;
    }
}

TEST_F(ConfigurationReader, ValuesNoEditorCouldProduceRefuseTheWorkbook) {
    const auto notesInFront = [](Workbook& w) {
        w.sheets[0].name = "Form";
        Sheet notes;
        notes.name = "Notes";
        w.sheets.insert(w.sheets.begin(), notes);
    };
    const struct {
        const char* label;
        std::function<void(Workbook&)> change;
        ExchangeError expected;
        std::string named;
    } cases[] = {
        {"power word of no list", [](Workbook& w) { Put(w, 1, 3, 7, "超高"); },
         ExchangeError::BadValue, "信道参数, 行 3, 发射功率: 超高"},
        {"emptied check box", [](Workbook& w) { Put(w, 1, 3, 2, ""); }, ExchangeError::BadValue,
         "行 3, 启用: " + Tr(texts::EmptyCell, LANGUAGE_CHINESE)},
        {"squelch level 9", [](Workbook& w) { Put(w, 1, 3, 11, "9"); }, ExchangeError::BadValue,
         "静噪等级: 9"},
        {"tone type misspelt", [](Workbook& w) { Put(w, 1, 3, 5, "CTCS"); },
         ExchangeError::BadValue, "发亚音: CTCS"},
        {"word of the other language", [](Workbook& w) { Put(w, 1, 3, 12, "W"); },
         ExchangeError::BadValue, "带宽: W"},
        {"slot naming no channel", [](Workbook& w) { Put(w, 2, 3, 2, "CH25"); },
         ExchangeError::BadValue, "扫描列表, 行 3, 01: CH25"},
        {"TOT longer than its edit", [](Workbook& w) { Put(w, 0, 4, 2, "1000"); },
         ExchangeError::BadValue, "公共参数, 行 4, TOT  设置: 1000"},
        {"common form shifted by a blank row",
         [](Workbook& w) {
             for (Cell& cell : w.sheets[0].cells) cell.row += cell.row >= 9 ? 1 : 0;
         },
         ExchangeError::BadValue, "公共参数, 行 9, 扫描暂停条件"},
        {"common form renamed, a notes sheet first", notesInFront, ExchangeError::BadValue,
         "Notes, 行 2, POWER 短按"},
        {"no record names a channel",
         [](Workbook& w) {
             for (int row = 2; row <= 25; ++row) Put(w, 1, row, 1, "99");
         },
         ExchangeError::NoRecordMatch,
         Tr(texts::ReasonNoRecordMatch, LANGUAGE_CHINESE) + " (信道参数)"},
    };
    for (const auto& c : cases) {
        Workbook workbook = workbook_;
        c.change(workbook);
        const ConfigurationCheck check = Read(workbook);
        EXPECT_EQ(check.status.code, c.expected) << c.label;
        EXPECT_NE(check.status.detail.find(c.named), std::string::npos) << check.status.detail;
    }
}

TEST_F(ConfigurationReader, ToneValueInNoEntryOfItsTableRefusesTheWorkbook) {
    // Channel 03 sends CTCSS and receives DCS-.
    const std::tuple<int, const char*, int> cases[] = {
        {6, "67.5", CHANNEL_TX_VALUE},
        {6, "", CHANNEL_TX_VALUE},
        {10, "24", CHANNEL_RX_VALUE},
        {10, "NULL", CHANNEL_RX_VALUE},
    };
    for (const auto& [column, text, faultColumn] : cases) {
        Workbook workbook = workbook_;
        Put(workbook, 1, 4, column, text);
        const ConfigurationCheck check = Read(workbook);
        ASSERT_TRUE(check.status.ok() && check.toneFault.has_value()) << text;
        EXPECT_EQ(check.toneFault->channelKey, "03");
        EXPECT_EQ(check.toneFault->column, faultColumn) << text;
        EXPECT_EQ(check.toneFault->text, text);
    }
}

TEST_F(ConfigurationReader, FirstFailingFrequencyRefusesTheWorkbook) {
    const struct {
        const char* label;
        std::vector<std::tuple<int, int, std::string>> cells;  // row, column, text
        FrequencyCheck check;
        std::string key;
        int column;
    } cases[] = {
        {"channel 07 at 300 MHz",
         {{8, 4, "300"}},
         FrequencyCheck::OutOfBand,
         "07",
         CHANNEL_TX_FREQ},
        {"receive not a number", {{6, 8, "4OO"}}, FrequencyCheck::NotNumber, "05", CHANNEL_RX_FREQ},
        {"transmit checked before receive",
         {{6, 8, "abc"}, {6, 4, "441"}},
         FrequencyCheck::OutOfBand,
         "05",
         CHANNEL_TX_FREQ},
        {"earlier record first",
         {{11, 4, "x"}, {8, 8, "399.9999"}},
         FrequencyCheck::OutOfBand,
         "07",
         CHANNEL_RX_FREQ},
        {"empty frequency", {{2, 4, ""}}, FrequencyCheck::NotNumber, "01", CHANNEL_TX_FREQ},
        {"just above the band",
         {{3, 4, "440.00001"}},
         FrequencyCheck::OutOfBand,
         "02",
         CHANNEL_TX_FREQ},
    };
    for (const auto& c : cases) {
        Workbook workbook = workbook_;
        for (const auto& [row, column, text] : c.cells) Put(workbook, 1, row, column, text);
        const ConfigurationCheck check = Read(workbook);
        EXPECT_TRUE(check.status.ok()) << c.label;
        ASSERT_TRUE(check.fault.has_value()) << c.label;
        EXPECT_EQ(check.fault->check, c.check) << c.label;
        EXPECT_EQ(check.fault->channelKey, c.key) << c.label;
        EXPECT_EQ(check.fault->column, c.column) << c.label;
    }
}

TEST_F(ConfigurationReader, BandLimitsThemselvesAreAccepted) {
    Put(workbook_, 1, 2, 4, "400");
    Put(workbook_, 1, 2, 8, "440.0000");
    EXPECT_TRUE(Read(workbook_).Ok());
}

TEST_F(ConfigurationReader, MissingSheetsAndColumnsRefuseTheWorkbook) {
    const struct {
        const char* label;
        std::function<void(Workbook&)> change;
        ExchangeError expected;
        const char* named;
    } cases[] = {
        {"no channel sheet", [](Workbook& w) { w.sheets[1].name = "Sheet2"; },
         ExchangeError::MissingSheet, "信道参数"},
        {"no scan sheet", [](Workbook& w) { w.sheets.pop_back(); }, ExchangeError::MissingSheet,
         "扫描列表"},
        {"no key column", [](Workbook& w) { Put(w, 1, 1, 1, "CH"); }, ExchangeError::MissingColumn,
         "信道"},
        {"grid title instead of 收数值", [](Workbook& w) { Put(w, 1, 1, 10, "数值"); },
         ExchangeError::MissingColumn, "收数值"},
        {"no slot 16", [](Workbook& w) { Put(w, 2, 1, 17, "17"); }, ExchangeError::MissingColumn,
         "16"},
        {"slot titles turned into numbers",
         [](Workbook& w) { w.sheets[2].PutNumber(1, 2, 1, CellFormat::General); },
         ExchangeError::MissingColumn, "01"},
    };
    for (const auto& c : cases) {
        Workbook workbook = workbook_;
        c.change(workbook);
        const ConfigurationCheck check = Read(workbook);
        EXPECT_EQ(check.status.code, c.expected) << c.label;
        EXPECT_NE(check.status.detail.find(c.named), std::string::npos) << check.status.detail;
    }
}

TEST_F(ConfigurationReader, ColumnOrderDoesNotMatterAndTitlesDo) {
    // The channel sheet written with its columns in reverse order.
    Workbook workbook = workbook_;
    Sheet& channels = workbook.sheets[1];
    for (auto& cell : channels.cells) cell.column = CHANNEL_COLUMN_COUNT + 1 - cell.column;
    const ConfigurationCheck check = Read(workbook);
    ASSERT_TRUE(check.Ok()) << check.status.detail;
    EXPECT_EQ(read_.channels, SampleConfiguration().channels);
}

TEST_F(ConfigurationReader, LaterRecordOfAKeyWinsButEveryRecordIsChecked) {
    const std::array<const char*, CHANNEL_COLUMN_COUNT> texts{
        "03",  "True", "True", "420", "NULL", "",       "中",
        "421", "NULL", "",     "4",   "宽",   "不添加", "关"};
    ChannelResult later;
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        Put(workbook_, 1, 26, k + 1, texts[std::size_t(k)]);
        SetChannelFieldText(later, k, texts[std::size_t(k)]);
    }
    Put(workbook_, 2, 7, 1, "2");
    Put(workbook_, 2, 7, 2, "CH09");
    const ConfigurationCheck check = Read(workbook_);
    ASSERT_TRUE(check.Ok()) << check.status.detail;
    EXPECT_EQ(read_.channels[2], later);
    EXPECT_EQ(read_.scans[1].slots[0], "CH09");
    EXPECT_EQ(read_.scans[1].slots[15], "NULL");  // the later record's emptied slots count too

    // A later duplicate does not excuse an earlier record's bad frequency.
    Put(workbook_, 1, 4, 4, "500");
    const ConfigurationCheck refused = Read(workbook_);
    ASSERT_TRUE(refused.fault.has_value());
    EXPECT_EQ(refused.fault->channelKey, "03");
}

TEST_F(ConfigurationReader, NamesAndWordsOfTheCurrentLanguageUnlessEitherIsAllowed) {
    language_ = LANGUAGE_ENGLISH;
    // English names and common words; the channels keep their stored Chinese words.
    const Workbook english = BuildConfigurationWorkbook(SampleConfiguration(), 1);
    EXPECT_EQ(english.sheets[0].name, "CommonSettings");
    EXPECT_EQ(english.sheets[1].name, "ChannelSettings");
    EXPECT_EQ(english.sheets[2].name, "ScanList");
    const ConfigurationCheck englishCheck = Read(english);
    const ConfigurationCheck chineseCheck = Read(workbook_);
    const ConfigurationCheck eitherCheck = Read(workbook_, "xls", WorkbookLanguages::Either);
    EXPECT_EQ(englishCheck.status.code, ExchangeError::BadValue);
    EXPECT_NE(englishCheck.status.detail.find("ChannelSettings, row 2, TxPower: 高"),
              std::string::npos)
        << englishCheck.status.detail;
    EXPECT_EQ(chineseCheck.status.code, ExchangeError::MissingSheet);
    ASSERT_TRUE(eitherCheck.Ok()) << eitherCheck.status.detail;
    EXPECT_EQ(eitherCheck.language, 0);
    EXPECT_TRUE(read_ == SampleConfiguration());  // the words as they are stored
}

// Writes the workbooks the fixtures were made from (see tests/fixtures/README.md).
TEST(FixtureSources, DISABLED_Write) {
    const char* folder = std::getenv("Q36_FIXTURE_SOURCES");
    ASSERT_NE(folder, nullptr) << "set Q36_FIXTURE_SOURCES to a folder";
    const Workbook workbook = BuildConfigurationWorkbook(SampleConfiguration(), 0);
    EXPECT_TRUE(
        SaveWorkbookFile(workbook, std::string(folder) + "/export.xlsx", LANGUAGE_CHINESE).ok());
    EXPECT_TRUE(
        SaveWorkbookFile(workbook, std::string(folder) + "/export.xls", LANGUAGE_CHINESE).ok());
}

}  // namespace
}  // namespace q36::exchange
