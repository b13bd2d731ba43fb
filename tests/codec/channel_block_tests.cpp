#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "codec/channel_block.h"
#include "codec/channel_fields.h"
#include "text/language.h"

namespace q36 {
namespace {

namespace cl = channel_layout;

class ChannelBlockTest : public ::testing::Test {
  protected:
    // Channel 1: 145.5 MHz both ways, CTCSS 88.5 both ways, high power, wide, scan add, busy
    // lockout on, no VOX, squelch 3.
    static ChannelResult ExampleRow() {
        ChannelResult row;
        row.CHANNELNO = "01";
        row.ENABLED = "True";
        row.VOX = "False";
        row.FTX = "145.5";
        row.FTONE = "CTCSS";
        row.SDATA = "88.5";
        row.TXPOWER = "高";
        row.REFREQUENCY = "145.5";
        row.RETONE = "CTCSS";
        row.REDATA = "88.5";
        row.LEVEL = 3;
        row.BW = "宽";
        row.ADDSCAN = "添加";
        row.BUSY = "开";
        return row;
    }

    static EncodedBlock Encode(const ChannelResult& row, int n = 1,
                               int language = LANGUAGE_CHINESE) {
        return EncodeChannelBlock(n, row, 136, 174, language);
    }

    // A received frame around a payload; the decoder reads frame offsets.
    static std::vector<uint8_t> FrameOf(const DataBlock& payload) {
        std::vector<uint8_t> frame(43, 0);
        std::copy(payload.begin(), payload.end(), frame.begin() + 4);
        return frame;
    }
};

TEST_F(ChannelBlockTest, ExampleChannelEncodesByteForByte) {
    const EncodedBlock block = Encode(ExampleRow());
    ASSERT_TRUE(block.ok());
    DataBlock expected{0x02, 0x00, 0x18, 0xE0, 0xC2, 0x11, 0xE0,
                       0xC2, 0x11, 0x13, 0x08, 0x10, 0x08, 0x03};
    EXPECT_EQ(block.value(), expected);
}

// All fields of a row in one text, so that a failed comparison shows every difference.
std::string Describe(const ChannelResult& r) {
    std::ostringstream out;
    out << r.CHANNELNO << '|' << r.ENABLED << '|' << r.VOX << '|' << r.FTX << '|' << r.FTONE << '|'
        << r.SDATA << '|' << r.TXPOWER << '|' << r.REFREQUENCY << '|' << r.RETONE << '|' << r.REDATA
        << '|' << r.LEVEL << '|' << r.BW << '|' << r.ADDSCAN << '|' << r.BUSY;
    return out.str();
}

// Text fields of a row to change, and their new texts.
using Edits = std::vector<std::pair<std::string ChannelResult::*, const char*>>;

ChannelResult Edited(ChannelResult row, const Edits& edits) {
    for (const auto& [field, text] : edits) row.*field = text;
    return row;
}

struct FlagCase {
    const char* name;
    Edits edits;
    uint8_t flagsA, rxTone, flagsB, txTone;
};

TEST_F(ChannelBlockTest, FieldsLandInTheirFlagBitsAndToneBytes) {
    using R = ChannelResult;
    const FlagCase cases[] = {
        {"example", {}, 0x13, 0x08, 0x10, 0x08},
        {"power middle", {{&R::TXPOWER, "中"}}, 0x13, 0x08, 0x14, 0x08},
        {"power low", {{&R::TXPOWER, "低"}}, 0x13, 0x08, 0x18, 0x08},
        {"power of the other language", {{&R::TXPOWER, "Low"}}, 0x13, 0x08, 0x18, 0x08},
        {"power of no list", {{&R::TXPOWER, "超高"}}, 0x13, 0x08, 0x10, 0x08},
        {"VOX", {{&R::VOX, "True"}}, 0x13, 0x08, 0x12, 0x08},
        {"narrow", {{&R::BW, "窄"}}, 0x1B, 0x08, 0x10, 0x08},
        {"busy lockout off", {{&R::BUSY, "关"}}, 0x17, 0x08, 0x10, 0x08},
        {"no scan add", {{&R::ADDSCAN, "不添加"}}, 0x11, 0x08, 0x10, 0x08},
        {"receive DCS- 754", {{&R::RETONE, "DCS-"}, {&R::REDATA, "754"}}, 0x33, 0x52, 0x10, 0x08},
        {"transmit DCS+ 23", {{&R::FTONE, "DCS+"}, {&R::SDATA, "23"}}, 0x13, 0x08, 0x20, 0x00},
        {"receive tone none ignores its value", {{&R::RETONE, "NULL"}}, 0x03, 0x00, 0x10, 0x08},
    };
    for (const FlagCase& c : cases) {
        const EncodedBlock block = Encode(Edited(ExampleRow(), c.edits));
        ASSERT_TRUE(block.ok()) << c.name;
        EXPECT_EQ(block.value()[cl::FlagsA], c.flagsA) << c.name;
        EXPECT_EQ(block.value()[cl::RxToneValue], c.rxTone) << c.name;
        EXPECT_EQ(block.value()[cl::FlagsB], c.flagsB) << c.name;
        EXPECT_EQ(block.value()[cl::TxToneValue], c.txTone) << c.name;
    }
}

TEST_F(ChannelBlockTest, WordsOfEitherLanguageAreTakenUnderTheEnglishLanguage) {
    ChannelResult row = ExampleRow();
    row.TXPOWER = "Middle";
    row.BW = "N";
    row.ADDSCAN = "No";
    row.BUSY = "No";
    EncodedBlock block = Encode(row, 1, LANGUAGE_ENGLISH);
    ASSERT_TRUE(block.ok());
    EXPECT_EQ(block.value()[cl::FlagsA], 0x1D);  // enabled, busy lockout off, narrow, CTCSS
    EXPECT_EQ(block.value()[cl::FlagsB], 0x14);

    // The Chinese words a Chinese workbook stored mean what they say.
    row.ADDSCAN = "不添加";
    row.BUSY = "开";
    row.BW = "宽";
    block = Encode(row, 1, LANGUAGE_ENGLISH);
    EXPECT_EQ(block.value()[cl::FlagsA], 0x11);
}

TEST_F(ChannelBlockTest, SquelchKeepsItsLowEightBits) {
    ChannelResult row = ExampleRow();
    row.LEVEL = 8;
    EXPECT_EQ(Encode(row).value()[cl::Level], 8);
    row.LEVEL = 0x108;
    EXPECT_EQ(Encode(row).value()[cl::Level], 8);
}

TEST_F(ChannelBlockTest, DisabledChannelCarriesOnlyItsHeadAndIsNotChecked) {
    for (const char* enabled : {"False", "true", ""}) {
        ChannelResult row = ExampleRow();
        row.ENABLED = enabled;
        row.FTX = "not a number";
        row.REFREQUENCY = "999";
        row.RETONE = "CTCSS";
        row.REDATA = "";
        const EncodedBlock block = Encode(row, 7);
        ASSERT_TRUE(block.ok()) << enabled;
        DataBlock expected{0x02, 0x06, 0x18};
        EXPECT_EQ(block.value(), expected) << enabled;
    }
}

TEST_F(ChannelBlockTest, RowsFailingTheirChecksAreRefused) {
    using R = ChannelResult;
    const std::tuple<const char*, Edits, BlockCheck> cases[] = {
        {"174 is the band's top", {{&R::FTX, "174"}}, BlockCheck::Ok},
        {"136 is the band's bottom", {{&R::REFREQUENCY, "136"}}, BlockCheck::Ok},
        {"transmit above the band", {{&R::FTX, "174.0125"}}, BlockCheck::FreqOutOfBand},
        {"receive below the band", {{&R::REFREQUENCY, "135.9875"}}, BlockCheck::FreqOutOfBand},
        {"transmit not a number", {{&R::FTX, "14a"}}, BlockCheck::FreqNotNumber},
        {"receive empty", {{&R::REFREQUENCY, ""}}, BlockCheck::FreqNotNumber},
        {"not a number wins over out of band",
         {{&R::FTX, "999"}, {&R::REFREQUENCY, "x"}},
         BlockCheck::FreqNotNumber},
        {"receive tone without value", {{&R::REDATA, ""}}, BlockCheck::ToneEmpty},
        {"transmit DCS without value",
         {{&R::FTONE, "DCS-"}, {&R::SDATA, ""}},
         BlockCheck::ToneEmpty},
        {"unknown tone type without value",
         {{&R::RETONE, ""}, {&R::REDATA, ""}},
         BlockCheck::ToneEmpty},
        {"tone none without value", {{&R::FTONE, "NULL"}, {&R::SDATA, ""}}, BlockCheck::Ok},
        {"tone value not in its table", {{&R::SDATA, "88.6"}}, BlockCheck::ToneNotInTable},
        {"DCS value under CTCSS", {{&R::REDATA, "23"}}, BlockCheck::ToneNotInTable},
        {"value read from a byte beyond the table",
         {{&R::REDATA, "NULL"}},
         BlockCheck::ToneNotInTable},
        {"DCS code with a leading zero",
         {{&R::FTONE, "DCS+"}, {&R::SDATA, "023"}},
         BlockCheck::ToneNotInTable},
    };
    for (const auto& [name, edits, expected] : cases) {
        EXPECT_EQ(Encode(Edited(ExampleRow(), edits)).status().code, expected) << name;
    }
}

TEST_F(ChannelBlockTest, EncodedChannelDecodesBackIntoTheSameRow) {
    ChannelResult sent = ExampleRow();
    sent.CHANNELNO = "12";
    sent.FTX = "136.0125";
    sent.REFREQUENCY = "173.9875";
    sent.RETONE = "DCS-";
    sent.REDATA = "754";
    sent.TXPOWER = "低";
    sent.BW = "窄";
    sent.BUSY = "关";
    sent.VOX = "True";
    sent.LEVEL = 8;
    const EncodedBlock block = Encode(sent, 12);
    ASSERT_TRUE(block.ok());

    const auto frame = FrameOf(block.value());
    const ChannelUpdate update = DecodeChannelFrame(frame, LANGUAGE_CHINESE);
    EXPECT_EQ(update.channelNo, 12);
    ASSERT_FALSE(update.assignments.empty());
    EXPECT_EQ(update.assignments.front().first, "ENABLED");

    ChannelResult received;
    received.CHANNELNO = sent.CHANNELNO;
    ApplyChannelUpdate(received, update);
    EXPECT_EQ(Describe(received), Describe(sent));
}

TEST_F(ChannelBlockTest, DecodeWritesTextsOfTheLanguageGiven) {
    const EncodedBlock block = Encode(ExampleRow());
    ChannelResult row;
    ApplyChannelUpdate(row, DecodeChannelFrame(FrameOf(block.value()), LANGUAGE_ENGLISH));
    EXPECT_EQ(row.TXPOWER, "High");
    EXPECT_EQ(row.BW, "W");
    EXPECT_EQ(row.ADDSCAN, "Yes");
    EXPECT_EQ(row.BUSY, "Yes");
    EXPECT_EQ(row.REFREQUENCY, "145.5000");
}

TEST_F(ChannelBlockTest, DecodeToneBytesBeyondTheirTableGiveNull) {
    DataBlock payload{0x02, 0x00, 0x18, 0x64, 0x9A, 0x10, 0x64, 0x9A, 0x10};
    payload[cl::FlagsA] = 0x01 | 0x10;  // receive CTCSS
    payload[cl::RxToneValue] = 50;
    payload[cl::FlagsB] = 0x00;  // transmit tone none
    payload[cl::TxToneValue] = 0x07;
    ChannelResult row;
    row.SDATA = "stale";
    ApplyChannelUpdate(row, DecodeChannelFrame(FrameOf(payload), LANGUAGE_CHINESE));
    EXPECT_EQ(row.RETONE, "CTCSS");
    EXPECT_EQ(row.REDATA, "NULL");
    EXPECT_EQ(row.FTONE, "NULL");
    EXPECT_EQ(row.SDATA, "");
    EXPECT_EQ(row.REFREQUENCY, "136.0125");
    EXPECT_EQ(row.FTX, "136.0125");
}

TEST_F(ChannelBlockTest, DisabledBlockChangesOnlyEnabled) {
    DataBlock payload = Encode(ExampleRow()).value();
    payload[cl::FlagsA] = 0xFE;
    payload[cl::FlagsB] = 0xFF;
    payload[cl::Level] = 0;
    const ChannelUpdate update = DecodeChannelFrame(FrameOf(payload), LANGUAGE_CHINESE);
    ASSERT_EQ(update.assignments.size(), 1u);

    ChannelResult row = ExampleRow();
    ApplyChannelUpdate(row, update);
    EXPECT_EQ(Describe(row), Describe(Edited(ExampleRow(), {{&ChannelResult::ENABLED, "False"}})));
}

}  // namespace
}  // namespace q36
