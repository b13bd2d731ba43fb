#include <gtest/gtest.h>

#include <vector>

#include "codec/scan_block.h"

namespace q36 {
namespace {

ScanResult ListOf(int list, std::initializer_list<const char*> first) {
    ScanResult row;
    row.LIST = list;
    row.slots.fill("NULL");
    std::size_t s = 0;
    for (const char* text : first) row.slots[s++] = text;
    return row;
}

TEST(ScanBlockTest, ExampleListEncodesByteForByte) {
    const DataBlock payload = EncodeScanBlock(2, ListOf(2, {"CH03", "CH24", "NULL"}));
    DataBlock expected{0x03, 0x01, 0x05, 0x02, 0x17};
    for (int s = 5; s < 19; ++s) expected[std::size_t(s)] = 0xFF;
    EXPECT_EQ(payload, expected);
}

TEST(ScanBlockTest, OnlyChannelNamesOfTheTableGiveAChannelByte) {
    const std::pair<const char*, uint8_t> cases[] = {
        {"CH01", 0x00}, {"CH24", 0x17}, {"NULL", 0xFF}, {"CH25", 0xFF},  {"CH00", 0xFF},
        {"ch01", 0xFF}, {"CH1", 0xFF},  {"", 0xFF},     {" CH01", 0xFF},
    };
    for (const auto& [text, byte] : cases)
        EXPECT_EQ(ScanSlotByte(text), byte) << '"' << text << '"';
}

TEST(ScanBlockTest, ScanListByteAddressesListAndSlotFromOne) {
    ScanArr scans;
    for (int n = 1; n <= SCAN_LIST_COUNT; ++n) scans.push_back(ListOf(n, {}));
    scans[4].slots[15] = "CH10";
    EXPECT_EQ(ScanListByte(scans, 5, 16), 9);
    EXPECT_EQ(ScanListByte(scans, 5, 15), 0xFF);
    EXPECT_EQ(ScanListByte(scans, 6, 1), 0xFF);
    EXPECT_EQ(ScanListByte(scans, 0, 1), 0xFF);
    EXPECT_EQ(ScanListByte(scans, 1, 17), 0xFF);
}

TEST(ScanBlockTest, DecodeTurnsBytesBeyondTheChannelsIntoNull) {
    std::vector<uint8_t> frame(43, 0);
    frame[4] = 0x03;
    frame[5] = 0x04;
    frame[7] = 0x00;
    frame[8] = 0x17;
    frame[9] = 0x18;
    frame[10] = 0xFF;
    for (int k = 11; k <= 22; ++k) frame[std::size_t(k)] = uint8_t(k - 11);
    frame[23] = 0x05;  // reserved, not read

    const ScanUpdate update = DecodeScanFrame(frame);
    EXPECT_EQ(update.listIndex, 4);
    EXPECT_EQ(update.slots[0], "CH01");
    EXPECT_EQ(update.slots[1], "CH24");
    EXPECT_EQ(update.slots[2], "NULL");
    EXPECT_EQ(update.slots[3], "NULL");
    EXPECT_EQ(update.slots[4], "CH01");
    EXPECT_EQ(update.slots[15], "CH12");
}

TEST(ScanBlockTest, SlotColumnsHaveTwoDigits) {
    EXPECT_EQ(ScanSlotColumn(1), "01");
    EXPECT_EQ(ScanSlotColumn(16), "16");
}

}  // namespace
}  // namespace q36
