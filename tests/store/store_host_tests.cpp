#include <gtest/gtest.h>

#include "codec/channel_block.h"
#include "store_fixture.h"
#include "support/radio_bench.h"

namespace q36::test {
namespace {

struct StoreHost : ::testing::Test {
    StoreCopy copy;
    std::unique_ptr<Connection> main = OpenStore(copy.Path());
    std::unique_ptr<Connection> scanEditor = OpenStore(copy.Path());
    RecordingStoreHost host{*main, *scanEditor, LANGUAGE_CHINESE};

    void SetUp() override { ASSERT_TRUE(host.OpenQueries().ok()); }

    // The channel grid's lock rule: a disabled channel's other columns are read-only.
    static ChannelUpdate Update(int channelNo,
                                std::vector<std::pair<std::string_view, std::string>> assignments) {
        return ChannelUpdate{channelNo, std::move(assignments)};
    }
};

TEST_F(StoreHost, StoringAChannelGoesByTheLockRule) {
    // A disabled channel keeps its values; an update that enables it first writes the rest.
    ASSERT_TRUE(host.StoreChannel(Update(3, {{"ENABLED", "False"}})).ok());
    ASSERT_TRUE(host.StoreChannel(Update(3, {{"FTX", "136.0125"}, {"LEVEL", "2"}})).ok());
    EXPECT_EQ(copy.Scalar("select ENABLED || '/' || FTX || '/' || LEVEL from CHANNELTABLE where "
                          "CHANNELNO = '03'"),
              "0/400.0/4");
    const StoreResult stored = host.StoreChannel(Update(
        3,
        {{"ENABLED", "True"}, {"REFREQUENCY", "145.5000"}, {"FTX", "136.0125"}, {"LEVEL", "7"}}));
    ASSERT_TRUE(stored.ok()) << stored.detail;
    EXPECT_EQ(
        copy.Scalar(
            "select ENABLED || '/' || REFREQUENCY || '/' || FTX || '/' || LEVEL from CHANNELTABLE "
            "where CHANNELNO = '03'"),
        "1/145.5/136.0125/7");
}

TEST_F(StoreHost, UnknownNumbersMatchNoRowAndChangeNothing) {
    EXPECT_EQ(host.StoreChannel(Update(25, {{"ENABLED", "False"}})).code, StoreErrc::NotFound);
    std::array<std::string, SCAN_SLOT_COUNT> slots;
    slots.fill("CH01");
    EXPECT_EQ(host.StoreScanList(6, slots).code, StoreErrc::NotFound);
    EXPECT_EQ(host.StoreScanList(0, slots).code, StoreErrc::NotFound);
    EXPECT_EQ(copy.Scalar("select count(*) from CHANNELTABLE where ENABLED = 0"), "0");
    EXPECT_EQ(copy.Scalar("select count(*) from SCANTABLE where [01] = 'CH01'"), "0");
}

TEST_F(StoreHost, ARefusedValueDropsTheWholeChannelUpdate) {
    const StoreResult stored = host.StoreChannel(Update(4, {{"VOX", "False"}, {"FTX", "abc"}}));
    EXPECT_EQ(stored.code, StoreErrc::Conversion);
    EXPECT_NE(stored.detail.find("'abc' is not a valid floating point value"), std::string::npos)
        << stored.detail;
    EXPECT_EQ(host.ChannelQuery().State(), QueryState::Browse);
    EXPECT_EQ(copy.Scalar("select ENABLED || VOX || FTX from CHANNELTABLE where CHANNELNO = '04'"),
              "11400.0");
}

TEST_F(StoreHost, AFailedPostIsReportedAndTheRowStaysInEditState) {
    ASSERT_TRUE(main->Execute("PRAGMA query_only = 1").ok());
    const StoreResult stored = host.StoreChannel(Update(9, {{"ENABLED", "False"}}));
    EXPECT_EQ(stored.code, StoreErrc::ReadOnly);
    EXPECT_EQ(stored.detail, "attempt to write a readonly database (" + copy.Path() + ")");
    EXPECT_EQ(host.ChannelQuery().State(), QueryState::Edit);
    EXPECT_EQ(host.ChannelQuery().FieldText("ENABLED"), "False");
    EXPECT_EQ(host.CommitPendingEdits().code, StoreErrc::ReadOnly);

    ASSERT_TRUE(main->Execute("PRAGMA query_only = 0").ok());
    EXPECT_TRUE(host.CommitPendingEdits().ok());
    EXPECT_EQ(copy.Scalar("select ENABLED from CHANNELTABLE where CHANNELNO = '09'"), "0");
}

TEST_F(StoreHost, CommonPageReadsTheRowAsListPositions) {
    CommonPage page;
    ASSERT_TRUE(host.ReadCommonPage(page).ok());
    EXPECT_EQ(page, DefaultCommonPage());

    copy.Sql(
        "UPDATE PARAMETABLE SET AVIMODE = 'after PTT', LOWALARM = '7.0V', LOWBAN = '9V', "
        "TEMCONTROL = 1");
    ASSERT_TRUE(host.ParamQuery().Reopen().ok());
    ASSERT_TRUE(host.ReadCommonPage(page).ok());
    EXPECT_EQ(page.aniMode, 1);  // a word of the other language, as its workbook stored it
    EXPECT_EQ(page.lowAlarm, 4);
    EXPECT_EQ(page.lowBan, -1);
    EXPECT_TRUE(page.temControl);
}

TEST_F(StoreHost, ShowingACommonPageWritesItsWordsAndKeepsUnselectedLists) {
    CommonPage page = DefaultCommonPage();
    page.aniMode = 3;
    page.lowBan = 4;
    page.scanRestart = 1;
    page.scanPauseSel = -1;  // no selection: the column keeps its word
    page.powerPress = 7;     // beyond the list: likewise
    page.ani = "65535";
    page.highPower = "200";
    page.keyEnabled = true;
    ASSERT_TRUE(host.ShowCommonPage(page).ok());
    EXPECT_EQ(host.ParamQuery().State(), QueryState::Browse);
    EXPECT_EQ(copy.Scalar(
                  "select "
                  "AVIMODE||'/'||LOWBAN||'/'||SCANRESTAR||'/'||SCANPAUSESEL||'/'||POWERPRESS||'/'||"
                  "AVISET||'/'||HIGHTRANPOWER||'/'||KEYENABLED||'/'||TEMCONTROL from PARAMETABLE"),
              "前+后/7.0V/暂停.../扫描前工作信道/关/65535/200/1/0");

    CommonPage read;
    ASSERT_TRUE(host.ReadCommonPage(read).ok());
    page.scanPauseSel = 0;
    page.powerPress = 0;
    EXPECT_EQ(read, page);
}

TEST_F(StoreHost, CommitPostsPendingEditsBeforeTheRowsAreReadAgain) {
    Query& grid = host.ChannelQuery();
    ASSERT_TRUE(grid.Locate("CHANNELNO", "12").ok());
    ASSERT_TRUE(grid.Edit().ok());
    ASSERT_TRUE(grid.WriteText("FTX", "412.5").ok());
    ASSERT_TRUE(host.ParamQuery().Edit().ok());
    ASSERT_TRUE(host.ParamQuery().WriteText("TOPSET", "90").ok());

    ChannelArr rows;
    ASSERT_TRUE(host.LoadChannelRows(rows).ok());
    EXPECT_EQ(rows[11].FTX, "400");  // not yet posted
    ASSERT_TRUE(host.CommitPendingEdits().ok());
    ASSERT_TRUE(host.LoadChannelRows(rows).ok());
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows[11].CHANNELNO, "12");
    EXPECT_EQ(rows[11].FTX, "412.5");
    EXPECT_EQ(rows[11].LEVEL, 4);
    EXPECT_EQ(rows[0].ENABLED, "True");
    EXPECT_EQ(copy.Scalar("select TOPSET from PARAMETABLE"), "90");
}

TEST_F(StoreHost, FillScanArrPostsTheEditorsEditAndTakesRowsInTableOrder) {
    Query& editor = host.ScanQuery();
    EXPECT_TRUE(editor.IsReadOnly("LIST"));
    ASSERT_TRUE(editor.Locate("LIST", "2").ok());
    ASSERT_TRUE(editor.Edit().ok());
    ASSERT_TRUE(editor.WriteText("01", "CH03").ok());
    std::array<std::string, SCAN_SLOT_COUNT> slots;
    slots.fill("NULL");
    slots[15] = "CH24";
    ASSERT_TRUE(host.StoreScanList(5, slots).ok());  // moving to list 5 posts list 2

    ScanArr scans;
    ASSERT_TRUE(host.FillScanArr(scans).ok());
    ASSERT_EQ(scans.size(), 5u);
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(scans[std::size_t(n - 1)].LIST, n);
    EXPECT_EQ(scans[1].slots[0], "CH03");
    EXPECT_EQ(scans[4].slots[15], "CH24");
    EXPECT_EQ(scans[0].slots[0], "NULL");
    EXPECT_EQ(copy.Scalar("select [01] from SCANTABLE where LIST = '2'"), "CH03");
}

}  // namespace
}  // namespace q36::test
