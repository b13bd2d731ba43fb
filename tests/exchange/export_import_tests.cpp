// Save and Open on the store: a configuration read from the virtual radio goes into a workbook
// and back into a freshly reset store, and every failure leaves the file or the store as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "codec/frequency.h"
#include "exchange/configuration_sheets.h"
#include "exchange/exchange_texts.h"
#include "exchange/export_workbook.h"
#include "exchange/import_workbook.h"
#include "exchange/workbook_file.h"
#include "exchange_test_support.h"
#include "protocol/run_settings.h"
#include "protocol/transfer.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "store/band_reset.h"
#include "store/store_transfer_data.h"
#include "support/radio_bench.h"
#include "support/store_copy.h"
#include "text/language.h"

namespace q36::exchange {
namespace {

constexpr int ZH = LANGUAGE_CHINESE;  // every case here runs in Chinese

using q36::test::StoreCopy;
using testing::ReadFileBytes;
using testing::ScratchFolder;
using testing::WriteFileBytes;

// A private copy of the delivered store, reset to band 400-440, with the main window's and the
// scan editor's connections and the queries they hold.
class Store {
  public:
    Store() : path_(copy_.Path()) {
        EXPECT_TRUE(main_.Open(path_).ok());
        EXPECT_TRUE(scanEditor_.Open(path_).ok());
        EXPECT_TRUE(ResetBandDefaults(main_, 400, 440, ZH).ok());
        EXPECT_TRUE(host.OpenQueries().ok());
    }
    ConfigurationQueries Queries() {
        return {host.ParamQuery(), host.ChannelQuery(), host.ScanQuery()};
    }
    // The rows as the file holds them, read through a connection of their own.
    Configuration Snapshot() const {
        Connection connection;
        EXPECT_TRUE(connection.Open(path_).ok());
        Query common(connection), channels(connection), scans(connection);
        common.SetSql(PARAM_QUERY_SQL);
        channels.SetSql(CHANNEL_QUERY_SQL);
        scans.SetSql(SCAN_QUERY_SQL);
        ConfigurationQueries queries{common, channels, scans};
        Configuration rows;
        EXPECT_TRUE(LoadConfiguration(queries, rows).ok());
        return rows;
    }
    const std::string& Path() const { return path_; }
    Connection& Main() { return main_; }

  private:
    StoreCopy copy_;
    std::string path_;
    Connection main_;
    Connection scanEditor_;

  public:
    StoreTransferData host{main_, scanEditor_, ZH};
};

// A radio whose memory differs from the band defaults: tones, powers, levels, a disabled
// channel, a 6.25 kHz frequency and filled scan lists.
RadioImage VariedRadio() {
    RadioImage image = DefaultRadioImage(400, 440);
    for (int i = 0; i < 24; ++i) {
        DataBlock& b = image.Block(2, i);
        b[9] = static_cast<uint8_t>(0x01 | (i % 4) << 4 | (i % 2 ? 0x02 : 0) | (i % 3 ? 0x08 : 0));
        b[10] = static_cast<uint8_t>(i % 4 ? i * 3 % 50 : 0);
        b[11] = static_cast<uint8_t>(((i + 1) % 4) << 4 | (i % 3) << 2);
        b[12] = static_cast<uint8_t>((i + 1) % 4 ? (i * 2 + 30) % 50 : 0);
        b[13] = static_cast<uint8_t>(i % 9);
    }
    PutUnits24(&image.Block(2, 5)[3], 3480100);  // 435.0125 MHz
    PutUnits24(&image.Block(2, 6)[6], 3296050);  // 412.00625 MHz
    image.Block(2, 9) = DataBlock{2, 9, 24};     // channel 10 disabled
    for (int i = 0; i < 5; ++i) {
        DataBlock& b = image.Block(3, i);
        for (int s = 0; s < 16; ++s)
            b[3 + s] = s <= i * 3 ? static_cast<uint8_t>((s * 5 + i) % 24) : 0xFF;
    }
    return image;
}

// Reads the radio into the store, as the Read command does.
void ReadRadioInto(Store& store, const RadioImage& image) {
    VirtualRadio radio(RadioConfig{}, image);
    test::RecordingEffects effects;
    test::TransferOverLink(store.host, effects, radio, true);
    EXPECT_EQ(effects.MessageTexts(), std::vector<std::string>{Tr(txt::MsgReadDone, ZH)});
}

std::vector<std::string> MessageTexts(const ExchangeOutcome& outcome) {
    std::vector<std::string> texts;
    for (const auto& m : outcome.messages) texts.push_back(Tr(*m.text, ZH));
    return texts;
}

class SaveAndOpen : public ::testing::Test {
  protected:
    // Saves store a's configuration to a workbook and returns its path.
    std::string Save(Store& store, const std::string& name) {
        auto queries = store.Queries();
        const std::string path = dir_.File(name);
        const ExchangeOutcome outcome = ExportWorkbook(
            path, [] { return true; }, queries, ZH);
        EXPECT_EQ(outcome.result, ExchangeResult::Saved);
        EXPECT_EQ(MessageTexts(outcome), std::vector<std::string>{Tr(txt::MsgFileSaved, ZH)});
        return path;
    }
    // Writes the sample configuration's workbook with a few cells changed.
    std::string EditedWorkbook(const std::function<void(Workbook&)>& edit) {
        Workbook workbook = BuildConfigurationWorkbook(testing::SampleConfiguration(), 0);
        edit(workbook);
        const std::string path = dir_.File("edited.xlsx");
        EXPECT_TRUE(SaveWorkbookFile(workbook, path, ZH).ok());
        return path;
    }
    ScratchFolder dir_;
    const RunSettings settings_;  // the 400-440 band
};

TEST_F(SaveAndOpen, ReadFromTheRadioSavedAndOpenedIntoAResetStoreIsRestoredExactly) {
    Store source;
    ReadRadioInto(source, VariedRadio());
    const Configuration read = source.Snapshot();
    ASSERT_EQ(read.channels.size(), 24u);
    ASSERT_EQ(read.channels[5].REFREQUENCY, "435.0125");
    ASSERT_EQ(read.channels[6].FTX, "412.00625");
    ASSERT_EQ(read.channels[9].ENABLED, "False");

    for (const char* name : {"archive.xlsx", "archive.xls"}) {
        const std::string path = Save(source, name);
        Store target;
        ASSERT_NE(target.Snapshot().channels, read.channels);
        auto queries = target.Queries();
        const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
        EXPECT_EQ(outcome.result, ExchangeResult::ReadOk) << outcome.messages.back().FullText(ZH);
        EXPECT_EQ(MessageTexts(outcome), std::vector<std::string>{Tr(txt::MsgFileReadOk, ZH)});
        const Configuration restored = target.Snapshot();
        EXPECT_EQ(restored.common, read.common) << name;
        EXPECT_EQ(restored.channels, read.channels) << name;
        EXPECT_EQ(restored.scans, read.scans) << name;
        // The scan editor's query, on its own connection, shows the opened lists too.
        EXPECT_EQ(target.host.ScanQuery().TextAt(4, "01"), read.scans[4].slots[0]) << name;
    }
}

TEST_F(SaveAndOpen, SaveWalksTheTablesWithNoticesSuspendedAndReturnsToTheRow) {
    Store store;
    Query& grid = store.host.ChannelQuery();
    ASSERT_TRUE(grid.MoveTo(5).ok());
    int notices = 0;
    grid.AddChangeListener([&](const QueryChange&) { ++notices; });
    Save(store, "walk.xlsx");
    EXPECT_EQ(grid.RowIndex(), 5);
    EXPECT_LE(notices, 1);  // at most the one that the resumed controls get
}

TEST_F(SaveAndOpen, OverwriteQuestionIsAskedOnlyForAnExistingFileAndNoKeepsIt) {
    Store store;
    auto queries = store.Queries();
    int asked = 0;
    const std::string path = dir_.File("kept.xls");
    EXPECT_EQ(ExportWorkbook(
                  path, [&] { return ++asked, false; }, queries, ZH)
                  .result,
              ExchangeResult::Saved);
    EXPECT_EQ(asked, 0);

    WriteFileBytes(path, "the user's archive");
    const ExchangeOutcome declined = ExportWorkbook(
        path, [&] { return ++asked, false; }, queries, ZH);
    EXPECT_EQ(declined.result, ExchangeResult::SaveDeclined);
    EXPECT_TRUE(declined.messages.empty());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ReadFileBytes(path), "the user's archive");

    EXPECT_EQ(ExportWorkbook(
                  path, [&] { return ++asked, true; }, queries, ZH)
                  .result,
              ExchangeResult::Saved);
    EXPECT_NE(ReadFileBytes(path), "the user's archive");

    const ExchangeOutcome cancelled = ExportWorkbook(
        "", [&] { return ++asked, true; }, queries, ZH);
    EXPECT_EQ(cancelled.result, ExchangeResult::SaveCancelled);
    EXPECT_TRUE(cancelled.messages.empty());
    EXPECT_EQ(asked, 2);
}

TEST_F(SaveAndOpen, FailedSaveShowsTheMessageWithTheSystemsReasonAndKeepsTheOldFile) {
    Store store;
    auto queries = store.Queries();
    const std::string path = dir_.File("folder.xlsx");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);  // the rename over it must fail
    const ExchangeOutcome outcome = ExportWorkbook(
        path, [] { return true; }, queries, ZH);
    EXPECT_EQ(outcome.result, ExchangeResult::SaveFailed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    const ExchangeMessage& message = outcome.messages[0];
    EXPECT_EQ(message.text, &texts::SaveFailed);
    EXPECT_EQ(Tr(*message.caption, ZH), texts::SaveFailedCaption.zh);
    EXPECT_TRUE(message.information);
    EXPECT_EQ(message.FullText(ZH), Tr(texts::SaveFailed, ZH) + "\nIs a directory: " + path);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"folder.xlsx"});
}

TEST_F(SaveAndOpen, ChannelOutOfBandLeavesTheWholeStoreUnchanged) {
    // Channel "07" at 300 MHz with band 400-440: formerly common parameters and channels 01-06
    // were already stored; now nothing is.
    Store store;
    const Configuration before = store.Snapshot();
    const std::string path =
        EditedWorkbook([](Workbook& w) { w.sheets[1].PutNumber(8, 4, 300, CellFormat::Fixed4); });
    auto queries = store.Queries();
    const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
    EXPECT_EQ(outcome.result, ExchangeResult::FrequencyOutOfBand);
    EXPECT_EQ(MessageTexts(outcome), (std::vector<std::string>{Tr(txt::MsgFreqError, ZH),
                                                               Tr(txt::MsgFileReadFailed, ZH)}));
    EXPECT_EQ(outcome.messages[0].detail, Tr(txt::TxtChannel, ZH) + " 07 发送频率: 300");
    const Configuration after = store.Snapshot();
    EXPECT_EQ(after.common, before.common);
    EXPECT_EQ(after.channels, before.channels);
    EXPECT_EQ(after.scans, before.scans);
}

TEST_F(SaveAndOpen, FrequencyThatIsNoNumberNamesItsOwnMessage) {
    Store store;
    const std::string path =
        EditedWorkbook([](Workbook& w) { w.sheets[1].PutText(20, 8, "四百", CellFormat::Text); });
    auto queries = store.Queries();
    const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
    EXPECT_EQ(outcome.result, ExchangeResult::FrequencyNotNumber);
    EXPECT_EQ(MessageTexts(outcome), (std::vector<std::string>{Tr(txt::MsgFreqNotNumber, ZH),
                                                               Tr(txt::MsgFileReadFailed, ZH)}));
    EXPECT_EQ(outcome.messages[0].detail, Tr(txt::TxtChannel, ZH) + " 19 接收频率: 四百");

    const std::string tone =
        EditedWorkbook([](Workbook& w) { w.sheets[1].PutText(4, 6, "88.6", CellFormat::Text); });
    const ExchangeOutcome refused = ImportWorkbook(tone, queries, settings_);
    EXPECT_EQ(refused.result, ExchangeResult::ToneValueRefused);
    EXPECT_EQ(refused.messages[0].text, &txt::MsgToneNotInTable);
    EXPECT_EQ(refused.messages[0].detail, Tr(txt::TxtChannel, ZH) + " 03 发数值: 88.6");
}

TEST_F(SaveAndOpen, UnknownKeysAreSkippedAndDisabledChannelsTakeTheSheetsValues) {
    Store store;
    Query& grid = store.host.ChannelQuery();
    for (const char* key : {"03", "04"}) {
        ASSERT_TRUE(grid.Locate("CHANNELNO", key).ok());
        ASSERT_TRUE(grid.Edit().ok());
        ASSERT_TRUE(grid.WriteText("ENABLED", "False").ok());
        ASSERT_TRUE(grid.Post().ok());
    }
    const std::string path = EditedWorkbook([](Workbook& w) {
        w.sheets[1].PutText(26, 1, "99", CellFormat::Text);  // no such channel, bad frequency
        w.sheets[1].PutText(26, 4, "abc", CellFormat::Text);
        w.sheets[1].PutText(5, 2, "False", CellFormat::Text);  // channel 04 stays disabled
        w.sheets[2].PutText(7, 1, "6", CellFormat::Text);      // no such list
    });
    auto queries = store.Queries();
    const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
    ASSERT_EQ(outcome.result, ExchangeResult::ReadOk) << outcome.messages.back().FullText(ZH);
    EXPECT_EQ(outcome.messages[0].detail,
              Tr(texts::SkippedRecords, ZH) + ": 信道参数 99, 扫描列表 6");

    const Configuration after = store.Snapshot();
    Configuration expected = testing::SampleConfiguration();
    expected.channels[3].ENABLED = "False";
    EXPECT_EQ(after.channels, expected.channels);  // 03 enabled with the sheet's values
    EXPECT_EQ(after.scans, expected.scans);
    EXPECT_EQ(after.common, expected.common);
}

TEST_F(SaveAndOpen, FailureWhileStoringRollsEverythingBack) {
    Store store;
    const Configuration before = store.Snapshot();
    // The file refuses the second scan list, after the common row and every channel were posted.
    ASSERT_TRUE(store.Main()
                    .Execute("CREATE TRIGGER refuse BEFORE UPDATE ON SCANTABLE WHEN OLD.LIST = '2' "
                             "BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                    .ok());
    const std::string path = EditedWorkbook([](Workbook&) {});
    auto queries = store.Queries();
    const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
    EXPECT_EQ(outcome.result, ExchangeResult::ReadFailed);
    EXPECT_EQ(MessageTexts(outcome), std::vector<std::string>{Tr(txt::MsgFileReadFailed, ZH)});
    EXPECT_NE(outcome.messages[0].detail.find("disk is full"), std::string::npos)
        << outcome.messages[0].detail;

    const Configuration after = store.Snapshot();
    EXPECT_EQ(after.common, before.common);
    EXPECT_EQ(after.channels, before.channels);
    EXPECT_EQ(after.scans, before.scans);
    // The window's queries show the store as it is, not what was posted before the failure.
    EXPECT_EQ(store.host.ParamQuery().FieldText("AVISET"), before.common.ani);
    EXPECT_EQ(store.host.ChannelQuery().TextAt(2, "FTX"), before.channels[2].FTX);
    EXPECT_FALSE(store.host.ChannelQuery().InEditMode());
}

TEST_F(SaveAndOpen, StoreLockedByAnotherWriterFailsCleanly) {
    Store store;
    const Configuration before = store.Snapshot();
    store.Main().SetBusyTimeout(50);
    Connection other;
    ASSERT_TRUE(other.Open(store.Path()).ok());
    ASSERT_TRUE(other.Execute("BEGIN IMMEDIATE").ok());
    const std::string path = EditedWorkbook([](Workbook&) {});
    auto queries = store.Queries();
    const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
    other.Execute("ROLLBACK");
    EXPECT_EQ(outcome.result, ExchangeResult::ReadFailed);
    EXPECT_FALSE(outcome.messages[0].detail.empty());
    EXPECT_EQ(store.Snapshot().channels, before.channels);
}

TEST_F(SaveAndOpen, BadFilesEndInReadFailedAndTouchNothing) {
    Store store;
    const Configuration before = store.Snapshot();
    WriteFileBytes(dir_.File("notes.xlsx"), "not a workbook");
    auto queries = store.Queries();
    for (const std::string& path : {dir_.File("notes.xlsx"), dir_.File("absent.xls")}) {
        const ExchangeOutcome outcome = ImportWorkbook(path, queries, settings_);
        EXPECT_EQ(outcome.result, ExchangeResult::ReadFailed);
        EXPECT_EQ(MessageTexts(outcome), std::vector<std::string>{Tr(txt::MsgFileReadFailed, ZH)});
        EXPECT_NE(outcome.messages[0].detail.find(path), std::string::npos);
    }
    const ExchangeOutcome cancelled = ImportWorkbook("", queries, settings_);
    EXPECT_EQ(cancelled.result, ExchangeResult::ReadCancelled);
    EXPECT_TRUE(cancelled.messages.empty());
    EXPECT_EQ(store.Snapshot().common, before.common);
    EXPECT_EQ(store.Snapshot().channels, before.channels);
}

}  // namespace
}  // namespace q36::exchange
