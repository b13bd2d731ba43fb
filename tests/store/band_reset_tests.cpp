#include <gtest/gtest.h>

#include "codec/band_defaults.h"
#include "protocol/band_table.h"
#include "store/band_reset.h"
#include "store/configuration_store.h"
#include "store/query.h"
#include "store_fixture.h"
#include "support/locking_process.h"
#include "support/radio_bench.h"

namespace q36::test {
namespace {

struct BandReset : ::testing::Test {
    StoreCopy copy;
    std::unique_ptr<Connection> connection = OpenStore(copy.Path());

    // Leaves values in every table that the reset must overwrite.
    void Scribble() {
        copy.Sql(
            "UPDATE CHANNELTABLE SET ENABLED = 0, VOX = 0, FTX = 145.5, FTONE = 'DCS-', SDATA = "
            "'754',"
            " TXPOWER = '低', LEVEL = '8', BW = '窄', ADDSCAN = '添加', BUSY = '开';"
            "UPDATE PARAMETABLE SET AVISET = '123', TEMCONTROL = 1, KEYENABLED = 1, LOSTTIME = "
            "'30',"
            " HIGHTRANPOWER = '200';"
            "UPDATE SCANTABLE SET [01] = 'CH01', [16] = 'CH24'");
    }
};

TEST_F(BandReset, PutsEveryRowBackToTheBandDefaults) {
    Scribble();
    ASSERT_TRUE(ResetBandDefaults(*connection, 400, 440, LANGUAGE_CHINESE).ok());

    Query channels(*connection);
    ASSERT_TRUE(channels.Open("select * from CHANNELTABLE").ok());
    const std::vector<std::pair<const char*, const char*>> expected{
        {"ENABLED", "True"}, {"VOX", "True"},   {"FTX", "400"},         {"FTONE", "NULL"},
        {"SDATA", ""},       {"TXPOWER", "高"}, {"REFREQUENCY", "440"}, {"RETONE", "NULL"},
        {"REDATA", ""},      {"LEVEL", "4"},    {"BW", "宽"},           {"ADDSCAN", "不添加"},
        {"BUSY", "关"}};
    for (int row = 0; row < channels.RecordCount(); ++row) {
        for (const auto& [column, text] : expected) {
            EXPECT_EQ(channels.TextAt(row, column), text) << "row " << row << " " << column;
        }
    }

    Query params(*connection);
    ASSERT_TRUE(params.Open("select * from PARAMETABLE").ok());
    const std::vector<std::pair<const char*, const char*>> common{
        {"AVISET", ""},
        {"AVIMODE", "关闭"},
        {"TOPSET", "60"},
        {"LOWALARM", "6.8V"},
        {"LOWBAN", "6.6V"},
        {"POWERPRESS", "关"},
        {"KEYAPRESS", "监听"},
        {"KEYBPRESS", "扫描"},
        {"TEMCONTROL", "False"},
        {"KEYENABLED", "False"},
        {"SCANPAUSE", "载波"},
        {"SCANRESTAR", "信号消失..."},
        {"LOSTTIME", "8"},
        {"SCANCHANSEL", "扫描前工作信道"},
        {"SCANPAUSESEL", "扫描前工作信道"},
        {"HIGHTRANPOWER", ""},
        {"MIDTRANPOWER", ""},
        {"LOWTRANPOWER", ""}};
    for (const auto& [column, text] : common) EXPECT_EQ(params.FieldText(column), text) << column;

    EXPECT_EQ(copy.Scalar(
                  "select count(*) from SCANTABLE where [01]||[02]||[03]||[04]||[05]||[06]||[07]||"
                  "[08]||[09]||[10]||[11]||[12]||[13]||[14]||[15]||[16] = "
                  "'NULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULLNULL'"),
              "5");
}

TEST_F(BandReset, StoresWhatTheCoresBandDefaultsAre) {
    for (const int language : {LANGUAGE_CHINESE, LANGUAGE_ENGLISH}) {
        Scribble();
        ASSERT_TRUE(ResetBandDefaults(*connection, 136, 174, language).ok());
        Query common(*connection), channels(*connection), scans(*connection);
        ASSERT_TRUE(common.Open("select * from PARAMETABLE").ok());
        ASSERT_TRUE(channels.Open("select * from CHANNELTABLE").ok());
        ASSERT_TRUE(scans.Open("SELECT * FROM SCANTABLE").ok());
        ConfigurationQueries queries{common, channels, scans};
        Configuration stored;
        ASSERT_TRUE(LoadConfiguration(queries, stored).ok());
        EXPECT_EQ(stored, BandDefaultConfiguration(136, 174, language)) << language;
    }
}

TEST_F(BandReset, UsesTheBandChosenForTheRun) {
    RunSettings settings;
    ASSERT_TRUE(SelectBand(settings, BandEntryText(4), 4));
    EXPECT_EQ(settings.BandIndex, 4);
    ASSERT_TRUE(ResetBandDefaults(*connection, settings).ok());
    EXPECT_EQ(
        copy.Scalar("select count(*) from CHANNELTABLE where FTX = 136 and REFREQUENCY = 174"),
        "24");
}

TEST_F(BandReset, WritesTheWordsOfTheCurrentLanguage) {
    ASSERT_TRUE(ResetBandDefaults(*connection, 430, 470, LANGUAGE_ENGLISH).ok());
    EXPECT_EQ(
        copy.Scalar(
            "select group_concat(DISTINCT TXPOWER || BW || ADDSCAN || BUSY) from CHANNELTABLE"),
        "HighWNoNo");
    EXPECT_EQ(copy.Scalar("select AVIMODE || POWERPRESS || SCANPAUSE from PARAMETABLE"),
              "NULLCloseCarrier");
}

TEST_F(BandReset, AFailedStatementLeavesTheStoreAsItWas) {
    Scribble();
    copy.Sql(
        "CREATE TRIGGER refuse BEFORE UPDATE ON SCANTABLE BEGIN SELECT RAISE(ABORT, 'disk quota "
        "exceeded'); END");
    const StoreResult reset = ResetBandDefaults(*connection, 400, 440, LANGUAGE_CHINESE);
    EXPECT_EQ(reset.detail, "disk quota exceeded (" + copy.Path() + ")");
    EXPECT_EQ(copy.Scalar("select count(*) from CHANNELTABLE where FTX = 145.5 and LEVEL = '8'"),
              "24");
    EXPECT_EQ(copy.Scalar("select AVISET from PARAMETABLE"), "123");

    LockingProcess lock(copy.Path());
    ASSERT_TRUE(lock.Held());
    EXPECT_EQ(ResetBandDefaults(*connection, 400, 440, LANGUAGE_CHINESE).code, StoreErrc::Busy);
}

}  // namespace
}  // namespace q36::test
