// CHIRP CSV: a round trip of the fields it holds, a file written by hand from CHIRP's documented
// columns, and the rows and files refused.

#include <gtest/gtest.h>

#include "exchange/chirp_csv.h"
#include "exchange/chirp_csv_texts.h"
#include "exchange_test_support.h"

namespace q36::exchange::testing {
namespace {

void SetTones(ChannelResult& channel, const char* txType, const char* txValue, const char* rxType,
              const char* rxValue) {
    channel.FTONE = txType;
    channel.SDATA = txValue;
    channel.RETONE = rxType;
    channel.REDATA = rxValue;
}

TEST(ChirpCsv, ExportedAndImportedGivesTheSameConfigurationForTheFieldsItHolds) {
    Configuration original = SampleConfiguration();
    SetTones(original.channels[4], "CTCSS", "88.5", "CTCSS", "88.5");
    SetTones(original.channels[5], "DCS+", "23", "DCS-", "23");
    SetTones(original.channels[6], "DCS+", "754", "NULL", "");
    SetTones(original.channels[7], "NULL", "", "CTCSS", "254.1");
    original.channels[8].TXPOWER = "中";
    original.channels[9].FTX = "436.00625";

    // Every held field changed, the rest (VOX, squelch, busy lock, lists, common) kept.
    Configuration scrambled = original;
    for (ChannelResult& channel : scrambled.channels) {
        if (channel.ENABLED != "True") continue;
        channel.FTX = channel.REFREQUENCY = "410";
        SetTones(channel, "CTCSS", "67.0", "DCS+", "23");
        channel.TXPOWER = "中";
        channel.BW = channel.BW == "宽" ? "窄" : "宽";
        channel.ADDSCAN = channel.ADDSCAN == "添加" ? "不添加" : "添加";
    }
    const ChirpImport back =
        ImportChirpCsv(ChirpCsvText(original), scrambled, 400, 440, LANGUAGE_CHINESE);
    ASSERT_TRUE(back.status.ok()) << back.status.detail;
    EXPECT_EQ(back.channelsRead, 23);  // channel 2 is disabled, so not in the file
    EXPECT_TRUE(back.refused.empty() && back.dropped.empty());
    EXPECT_TRUE(Diff(original, back.configuration, LANGUAGE_CHINESE).empty());
}

TEST(ChirpCsv, HandWrittenFileImportsEveryToneModeAndNamesDroppedAndRefusedRows) {
    const Configuration current = SampleConfiguration();
    const ChirpImport got =
        ReadChirpCsvFile(Q36_FIXTURES_DIR "/chirp_tones.csv", current, 400, 440, LANGUAGE_CHINESE);
    ASSERT_TRUE(got.status.ok()) << got.status.detail;
    struct Row {
        int n;
        const char *tx, *txType, *txValue, *rx, *rxType, *rxValue, *power, *bw, *scan;
    };
    const Row expected[] = {
        {1, "433.5", "CTCSS", "100.0", "438.5", "NULL", "", "高", "宽", "添加"},
        {2, "433", "CTCSS", "123.0", "433", "CTCSS", "123.0", "低", "窄", "不添加"},
        {3, "434", "DCS+", "754", "434", "DCS-", "754", "中", "宽", "添加"},
        {4, "436", "CTCSS", "67.0", "435", "CTCSS", "254.1", "高", "宽", "添加"},
        {5, "435.1", "DCS-", "23", "435.1", "NULL", "", "中", "宽", "添加"},
        {6, "435.2", "NULL", "", "435.2", "DCS-", "411", "低", "宽", "添加"},
        {7, "435.3", "CTCSS", "71.9", "435.3", "DCS+", "25", "高", "宽", "添加"},
        {8, "435.4", "DCS+", "26", "435.4", "CTCSS", "97.4", "高", "窄", "添加"},
        {9, "435.5", "NULL", "", "435.5", "CTCSS", "103.5", "高", "宽", "添加"},
        {10, "435.6", "DCS-", "31", "435.6", "DCS-", "32", "高", "宽", "添加"},
        {11, "425", "NULL", "", "420", "NULL", "", "高", "宽", "添加"},
        {13, "439", "NULL", "", "439", "NULL", "", "高", "宽", "添加"},
    };
    for (const Row& row : expected) {
        const ChannelResult& ch = got.configuration.channels[row.n - 1];
        const std::string where = "channel " + std::to_string(row.n);
        EXPECT_EQ(ch.ENABLED, "True") << where;
        EXPECT_EQ(std::stod(ch.FTX), std::stod(row.tx)) << where;
        EXPECT_EQ(std::stod(ch.REFREQUENCY), std::stod(row.rx)) << where;
        EXPECT_EQ(
            ch.FTONE + "|" + ch.SDATA + "|" + ch.RETONE + "|" + ch.REDATA,
            std::string(row.txType) + "|" + row.txValue + "|" + row.rxType + "|" + row.rxValue)
            << where;
        EXPECT_EQ(ch.TXPOWER + ch.BW + ch.ADDSCAN, std::string(row.power) + row.bw + row.scan)
            << where;
    }
    // What the file cannot hold stays: channel 3's VOX, squelch level and busy lock, the lists.
    const ChannelResult& ch3 = got.configuration.channels[2];
    EXPECT_EQ(ch3.VOX + std::to_string(ch3.LEVEL) + ch3.BUSY, "False0开");
    EXPECT_EQ(got.configuration.scans, current.scans);
    EXPECT_EQ(got.configuration.common, current.common);
    // Location 0 and 30 name no channel; the row with a DCS code the radio lacks changes nothing.
    EXPECT_EQ(got.dropped, (std::vector<std::string>{"0", "30"}));
    ASSERT_EQ(got.refused.size(), 1u);
    EXPECT_EQ(got.refused[0].line, 14);
    EXPECT_EQ(got.refused[0].location, "12");
    EXPECT_EQ(got.refused[0].reason, &csvtxt::RefuseDcs);
    EXPECT_EQ(got.refused[0].value, "017");
    EXPECT_EQ(got.configuration.channels[11], current.channels[11]);
    const auto report = ChirpImportReport(got, LANGUAGE_ENGLISH);
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[2], "  line 14 (Location 12): DCS code not in this radio's list: 017");
}

TEST(ChirpCsv, RefusesRowsAndFilesThisRadioCannotTake) {
    const std::string header = "Location,Frequency,Duplex,Offset,Tone,cToneFreq,Mode,Power\n";
    const struct {
        const char* row;
        const TextPair* reason;
    } rows[] = {
        {"1,146.520000,,0,,,FM,", &csvtxt::RefuseOutOfBand},
        {"1,435.000010,,0,,,FM,", &csvtxt::RefuseFrequencyStep},
        {"1,4x5,,0,,,FM,", &csvtxt::RefuseFrequency},
        {"1,435.000000,off,0,,,FM,", &csvtxt::RefuseReceiveOnly},
        {"1,435.000000,+,9,,,FM,", &csvtxt::RefuseOutOfBand},
        {"1,435.000000,x,0,,,FM,", &csvtxt::RefuseDuplex},
        {"1,435.000000,,0,TSQL-R,88.5,FM,", &csvtxt::RefuseToneMode},
        {"1,435.000000,,0,TSQL,69.4,FM,", &csvtxt::RefuseCtcss},
        {"1,435.000000,,0,,,AM,", &csvtxt::RefuseMode},
        {"1,435.000000,,0,,,FM,lots", &csvtxt::RefusePower},
    };
    const Configuration current = SampleConfiguration();
    for (const auto& row : rows) {
        const ChirpImport got =
            ImportChirpCsv(header + row.row, current, 400, 440, LANGUAGE_CHINESE);
        ASSERT_EQ(got.refused.size(), 1u) << row.row;
        EXPECT_EQ(got.refused[0].reason, row.reason) << row.row;
        EXPECT_EQ(got.configuration, current) << row.row;
    }
    EXPECT_EQ(ImportChirpCsv("Location,Frequency\n1,\"43", current, 400, 440, 0).status.code,
              ExchangeError::Damaged);
    EXPECT_EQ(ImportChirpCsv("Name,Freq\nA,435\n", current, 400, 440, 0).status.code,
              ExchangeError::MissingColumn);
}

}  // namespace
}  // namespace q36::exchange::testing
