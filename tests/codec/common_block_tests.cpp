#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "codec/common_block.h"

namespace q36 {

// Shows a page field by field when a comparison fails.
inline void PrintTo(const CommonPage& p, std::ostream* out) {
    *out << "{lists " << p.aniMode << ' ' << p.lowAlarm << ' ' << p.lowBan << ' ' << p.powerPress
         << ' ' << p.keyAPress << ' ' << p.keyBPress << ' ' << p.scanPause << ' ' << p.scanRestart
         << ' ' << p.scanChanSel << ' ' << p.scanPauseSel << ", edits \"" << p.ani << "\" \""
         << p.tot << "\" \"" << p.lostTime << "\" \"" << p.highPower << "\" \"" << p.midPower
         << "\" \"" << p.lowPower << "\", checks " << p.temControl << ' ' << p.keyEnabled << '}';
}

namespace {

namespace ml = common_layout;

class CommonBlockTest : public ::testing::Test {
  protected:
    // Alarm 6.8V, ban 6.6V, TOT 60, keys at their single entries, POWER press off, no check
    // box, no ANI, ANI mode off, pause on carrier, restart on signal loss after 8 s, both
    // channel choices "working channel before scanning".
    static CommonPage ExamplePage() {
        CommonPage page;
        page.lowAlarm = 2;
        page.lowBan = 0;
        page.tot = "60";
        page.keyAPress = 0;
        page.keyBPress = 0;
        page.powerPress = 0;
        page.ani = "";
        page.aniMode = 0;
        page.scanPause = 0;
        page.scanRestart = 0;
        page.lostTime = "8";
        page.scanChanSel = 0;
        page.scanPauseSel = 0;
        return page;
    }

    static std::vector<uint8_t> FrameOf(const DataBlock& payload) {
        std::vector<uint8_t> frame(43, 0);
        std::copy(payload.begin(), payload.end(), frame.begin() + 4);
        return frame;
    }
};

TEST_F(CommonBlockTest, ExamplePageEncodesByteForByte) {
    const EncodedBlock block = EncodeCommonBlock(ExamplePage(), true);
    ASSERT_TRUE(block.ok());
    DataBlock expected{0x01, 0x00, 0x01, 0x02, 0x00, 0x3C, 0x00,
                       0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x08};
    EXPECT_EQ(block.value(), expected);
}

struct PageCase {
    const char* name;
    std::function<void(CommonPage&)> change;
    bool hasScanList;
    BlockCheck check;
    int offset = -1;  // a payload byte to compare when the page is accepted
    int value = 0;
};

void ExpectCases(std::initializer_list<PageCase> cases, const CommonPage& base) {
    for (const PageCase& c : cases) {
        CommonPage page = base;
        c.change(page);
        const EncodedBlock block = EncodeCommonBlock(page, c.hasScanList);
        EXPECT_EQ(block.status().code, c.check) << c.name;
        if (block.ok() && c.offset >= 0) {
            EXPECT_EQ(block.value()[std::size_t(c.offset)], c.value) << c.name;
        }
    }
}

TEST_F(CommonBlockTest, TotIsZeroOrThirtyToTwoHundredFifty) {
    auto tot = [](const char* text) { return [text](CommonPage& p) { p.tot = text; }; };
    ExpectCases({{"0", tot("0"), true, BlockCheck::Ok, ml::Tot, 0},
                 {"29", tot("29"), true, BlockCheck::TotRange},
                 {"30", tot("30"), true, BlockCheck::Ok, ml::Tot, 30},
                 {"250", tot("250"), true, BlockCheck::Ok, ml::Tot, 250},
                 {"251", tot("251"), true, BlockCheck::TotRange},
                 {"6a", tot("6a"), true, BlockCheck::TotNotNumber},
                 {"-5", tot("-5"), true, BlockCheck::TotNotNumber},
                 {"empty", tot(""), true, BlockCheck::NoAnswer}},
                ExamplePage());
}

TEST_F(CommonBlockTest, AniIsSixteenBitsLowByteFirstAndRefusedAbove65535) {
    struct AniCase {
        const char* text;
        BlockCheck check;
        uint8_t low = 0, high = 0;
    };
    const AniCase cases[] = {
        {"", BlockCheck::Ok, 0x00, 0x00},
        {"1", BlockCheck::Ok, 0x01, 0x00},
        {"4660", BlockCheck::Ok, 0x34, 0x12},
        {"65535", BlockCheck::Ok, 0xFF, 0xFF},
        {"00065535", BlockCheck::Ok, 0xFF, 0xFF},
        {"0000000000012", BlockCheck::Ok, 0x0C, 0x00},
        {"65536", BlockCheck::AniMax},  // would otherwise go out as 00 00
        {"65537", BlockCheck::AniMax},
        {"99999999999999", BlockCheck::AniMax},
        {"12x", BlockCheck::AniNotNumber},
        {" 12", BlockCheck::AniNotNumber},
    };
    for (const AniCase& c : cases) {
        CommonPage page = ExamplePage();
        page.ani = c.text;
        const EncodedBlock block = EncodeCommonBlock(page, true);
        EXPECT_EQ(block.status().code, c.check) << '"' << c.text << '"';
        if (!block.ok()) continue;
        EXPECT_EQ(block.value()[ml::Ani], c.low) << '"' << c.text << '"';
        EXPECT_EQ(block.value()[ml::Ani + 1], c.high) << '"' << c.text << '"';
    }
}

TEST_F(CommonBlockTest, ScanRestartTimeIsCheckedOnlyWithScanLists) {
    auto lost = [](const char* text, int restart) {
        return [text, restart](CommonPage& p) {
            p.lostTime = text;
            p.scanRestart = restart;
        };
    };
    ExpectCases(
        {{"1", lost("1", 1), true, BlockCheck::ScanTimeRange},
         {"2", lost("2", 1), true, BlockCheck::Ok, ml::LostTime, 2},
         {"250", lost("250", 1), true, BlockCheck::Ok, ml::LostTime, 250},
         {"251", lost("251", 1), true, BlockCheck::ScanTimeRange},
         {"300 without scan lists", lost("300", 1), false, BlockCheck::Ok, ml::LostTime, 0x2C},
         {"1 without scan lists", lost("1", 0), false, BlockCheck::Ok, ml::LostTime, 1},
         {"not digits, pause", lost("5s", 1), true, BlockCheck::ScanTimeNotNumber},
         {"not digits, signal loss", lost("5s", 0), true, BlockCheck::ScanTimeNotNumber},
         {"empty, pause", lost("", 1), true, BlockCheck::NoAnswer},
         {"empty, signal loss", lost("", 0), true, BlockCheck::NoAnswer}},
        ExamplePage());
}

TEST_F(CommonBlockTest, ScanOptionsByteIsThePlainCombinationOfFourBits) {
    auto scan = [](int restart, const char* time, int pause, int chanSel, int pauseSel) {
        return [=](CommonPage& p) {
            p.scanRestart = restart;
            p.lostTime = time;
            p.scanPause = pause;
            p.scanChanSel = chanSel;
            p.scanPauseSel = pauseSel;
        };
    };
    ExpectCases(
        {{"signal loss, 8 s", scan(0, "8", 0, 0, 0), true, BlockCheck::Ok, ml::ScanFlags, 0x01},
         {"signal loss, 7 s", scan(0, "7", 0, 0, 0), true, BlockCheck::Ok, ml::ScanFlags, 0x00},
         {"pause, 200 s", scan(1, "200", 0, 0, 0), true, BlockCheck::Ok, ml::ScanFlags, 0x00},
         {"pause, all options", scan(1, "10", 1, 1, 1), true, BlockCheck::Ok, ml::ScanFlags, 0x0E},
         {"signal loss 10 s, all options", scan(0, "10", 1, 1, 1), true, BlockCheck::Ok,
          ml::ScanFlags, 0x0F},
         {"pause channel unselected", scan(0, "10", 1, 1, -1), true, BlockCheck::Ok, ml::ScanFlags,
          0x00},
         {"pause condition unselected", scan(0, "10", -1, 1, 1), true, BlockCheck::Ok,
          ml::ScanFlags, 0x0C}},
        ExamplePage());
}

TEST_F(CommonBlockTest, ListsWithoutSelectionAndKeyFlags) {
    ExpectCases(
        {{"alarm unselected", [](CommonPage& p) { p.lowAlarm = -1; }, true, BlockCheck::Ok,
          ml::LowAlarm, 0xFF},
         {"key B unselected", [](CommonPage& p) { p.keyBPress = -1; }, true, BlockCheck::Ok,
          ml::KeyB, 0xFF},
         {"ANI mode before+after", [](CommonPage& p) { p.aniMode = 3; }, true, BlockCheck::Ok,
          ml::AniMode, 3},
         {"ANI mode unselected", [](CommonPage& p) { p.aniMode = -1; }, true, BlockCheck::NoAnswer},
         {"power press on", [](CommonPage& p) { p.powerPress = 1; }, true, BlockCheck::Ok,
          ml::KeyFlags, 0x01},
         {"both check boxes", [](CommonPage& p) { p.temControl = p.keyEnabled = true; }, true,
          BlockCheck::Ok, ml::KeyFlags, 0x06},
         {"power press unselected keeps the check boxes",
          [](CommonPage& p) {
              p.powerPress = -1;
              p.temControl = p.keyEnabled = true;
          },
          true, BlockCheck::Ok, ml::KeyFlags, 0x06},
         {"factory values are never sent", [](CommonPage& p) { p.highPower = "99"; }, true,
          BlockCheck::Ok, ml::HighPower, 0}},
        ExamplePage());
}

TEST_F(CommonBlockTest, ChecksRunInPageOrder) {
    CommonPage page = ExamplePage();
    page.tot = "x";
    page.ani = "x";
    page.lostTime = "x";
    EXPECT_EQ(EncodeCommonBlock(page, true).status().code, BlockCheck::TotNotNumber);
    page.tot = "60";
    EXPECT_EQ(EncodeCommonBlock(page, true).status().code, BlockCheck::AniNotNumber);
    page.ani = "70000";
    EXPECT_EQ(EncodeCommonBlock(page, true).status().code, BlockCheck::AniMax);
    page.ani = "";
    page.aniMode = -1;
    EXPECT_EQ(EncodeCommonBlock(page, true).status().code, BlockCheck::NoAnswer);
}

TEST_F(CommonBlockTest, DecodePutsEachValueOnThePage) {
    DataBlock payload{0x01, 0x00, 0x01};
    payload[ml::LowAlarm] = 4;
    payload[ml::LowBan] = 5;  // beyond the five levels
    payload[ml::Tot] = 250;
    payload[ml::KeyA] = 0;
    payload[ml::KeyB] = 1;  // beyond the one entry
    payload[ml::KeyFlags] = 0x07;
    payload[ml::Ani] = 0xFF;
    payload[ml::Ani + 1] = 0xFF;
    payload[ml::AniMode] = 4;  // beyond the four modes
    payload[ml::ScanFlags] = 0x0B;
    payload[ml::LostTime] = 30;
    payload[ml::HighPower] = 200;
    payload[ml::MidPower] = 100;
    payload[ml::LowPower] = 1;

    CommonPage page;
    DecodeCommonFrame(FrameOf(payload), true, page);
    EXPECT_EQ(page.lowAlarm, 4);
    EXPECT_EQ(page.lowBan, -1);
    EXPECT_EQ(page.tot, "250");
    EXPECT_EQ(page.keyAPress, 0);
    EXPECT_EQ(page.keyBPress, -1);
    EXPECT_EQ(page.powerPress, 1);
    EXPECT_TRUE(page.temControl);
    EXPECT_TRUE(page.keyEnabled);
    EXPECT_EQ(page.ani, "65535");
    EXPECT_EQ(page.aniMode, -1);
    EXPECT_EQ(page.scanRestart, 0);  // bit 0 set: restart on signal loss
    EXPECT_EQ(page.scanPause, 1);
    EXPECT_EQ(page.scanChanSel, 0);
    EXPECT_EQ(page.scanPauseSel, 1);
    EXPECT_EQ(page.lostTime, "30");
    EXPECT_EQ(page.highPower, "200");
    EXPECT_EQ(page.midPower, "100");
    EXPECT_EQ(page.lowPower, "1");
}

TEST_F(CommonBlockTest, DecodeLeavesScanFieldsAloneWithoutScanLists) {
    DataBlock payload = EncodeCommonBlock(ExamplePage(), true).value();
    payload[ml::ScanFlags] = 0x0F;
    payload[ml::LostTime] = 99;

    CommonPage withScan = ExamplePage();
    withScan.scanRestart = 1;
    DecodeCommonFrame(FrameOf(payload), true, withScan);
    EXPECT_EQ(withScan.scanRestart, 0);
    EXPECT_EQ(withScan.scanPause, 1);
    EXPECT_EQ(withScan.lostTime, "99");

    payload[ml::ScanFlags] = 0x00;
    DecodeCommonFrame(FrameOf(payload), true, withScan);
    EXPECT_EQ(withScan.scanRestart, 1);  // bit 0 clear: pause

    CommonPage withoutScan = ExamplePage();
    DecodeCommonFrame(FrameOf(payload), false, withoutScan);
    EXPECT_EQ(withoutScan.scanRestart, 0);
    EXPECT_EQ(withoutScan.scanPause, 0);
    EXPECT_EQ(withoutScan.scanChanSel, 0);
    EXPECT_EQ(withoutScan.scanPauseSel, 0);
    EXPECT_EQ(withoutScan.lostTime, "8");
    EXPECT_EQ(withoutScan.tot, "60");
}

TEST_F(CommonBlockTest, PageSurvivesEncodeAndDecode) {
    CommonPage sent = ExamplePage();
    sent.lowAlarm = 3;
    sent.lowBan = 1;
    sent.tot = "120";
    sent.powerPress = 1;
    sent.temControl = true;
    sent.ani = "54321";
    sent.aniMode = 2;
    sent.scanPause = 1;
    sent.scanPauseSel = 1;
    sent.highPower = sent.midPower = sent.lowPower = "0";
    for (const auto& [restart, time] :
         {std::pair{1, "5"}, std::pair{1, "200"}, std::pair{0, "10"}}) {
        sent.scanRestart = restart;
        sent.lostTime = time;
        const EncodedBlock block = EncodeCommonBlock(sent, true);
        ASSERT_TRUE(block.ok());
        CommonPage received;
        DecodeCommonFrame(FrameOf(block.value()), true, received);
        EXPECT_EQ(received, sent) << "restart " << restart << " after " << time << " s";
    }
}

}  // namespace
}  // namespace q36
