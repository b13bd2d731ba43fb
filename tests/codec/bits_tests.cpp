#include <gtest/gtest.h>

#include <vector>

#include "codec/bits.h"

namespace q36 {
namespace {

struct GetCase {
    uint32_t value;
    int position, count, width;
    uint32_t expected;
};

TEST(BitsTest, GetBitsAtCountsPositionsFromTheMostSignificantEnd) {
    const GetCase cases[] = {
        {0x31, 3, 2, 8, 3},       // bits 5..4 of 0011 0001
        {0x31, 8, 1, 8, 1},       // bit 0
        {0x31, 7, 1, 8, 0},       // bit 1
        {0x80, 1, 1, 8, 1},       // position 1 is bit 7
        {0x0C, 5, 2, 8, 3},       // the power field of flags B
        {0xA5, 1, 8, 8, 0xA5},    // the whole byte
        {0x1234, 1, 4, 16, 0x1},  // other widths count from their own top
        {0x1234, 13, 4, 16, 0x4},
    };
    for (const GetCase& c : cases) {
        EXPECT_EQ(GetBitsAt(c.value, c.position, c.count, c.width), c.expected)
            << std::hex << c.value << " position " << std::dec << c.position << " count "
            << c.count;
    }
}

struct SetCase {
    uint32_t value;
    int position, width, mode;
    uint32_t expected;
};

TEST(BitsTest, SetBitAtSetsOrClearsOneBitAndAnyOtherModeGivesZero) {
    const SetCase cases[] = {
        {0x00, 8, 8, 1, 0x01}, {0xFF, 1, 8, 0, 0x7F}, {0x55, 4, 8, 2, 0x00}, {0x55, 4, 8, -1, 0x00},
        {0x10, 4, 8, 1, 0x10}, {0x10, 4, 8, 0, 0x00}, {0x06, 8, 8, 0, 0x06},
    };
    for (const SetCase& c : cases) {
        EXPECT_EQ(SetBitAt(c.value, c.position, c.width, c.mode), c.expected)
            << std::hex << c.value << " position " << std::dec << c.position << " mode " << c.mode;
    }
}

TEST(BitsTest, EachBytePositionSetIsReadBackAtTheSamePosition) {
    for (int p = 1; p <= 8; ++p) {
        const uint32_t v = SetBitAt(0, p, 8, 1);
        EXPECT_EQ(v, 1u << (8 - p)) << "position " << p;
        EXPECT_EQ(GetBitsAt(v, p, 1, 8), 1u) << "position " << p;
        EXPECT_EQ(GetBitsAt(0xFF ^ v, p, 1, 8), 0u) << "position " << p;
    }
}

TEST(BitsTest, XorChecksumAndHexTexts) {
    EXPECT_EQ(XorChecksum({}), 0);
    const std::vector<uint8_t> request{0x92, 0x01, 0x02};
    EXPECT_EQ(XorChecksum(request), 0x91);

    EXPECT_EQ(ByteToHex(0x0A), "0A");
    EXPECT_EQ(ByteToHex(0xFF), "FF");
    EXPECT_EQ(ByteToHex(0x00), "00");

    EXPECT_EQ(PayloadLengthHex(std::vector<uint8_t>(22)), "0E");
    EXPECT_EQ(PayloadLengthHex(std::vector<uint8_t>(43)), "23");
    // A length beyond a byte must not wrap onto a length byte's text.
    EXPECT_EQ(PayloadLengthHex(std::vector<uint8_t>(8 + 0x123)), "123");
    EXPECT_NE(PayloadLengthHex(std::vector<uint8_t>(5)), ByteToHex(0xFD));
}

TEST(BitsTest, PadLeftZerosPadsButNeverShortens) {
    EXPECT_EQ(PadLeftZeros("7", 2), "07");
    EXPECT_EQ(PadLeftZeros("24", 2), "24");
    EXPECT_EQ(PadLeftZeros("123", 2), "123");
    EXPECT_EQ(PadLeftZeros("", 2), "00");
    EXPECT_EQ(PadLeftZeros(std::string("\0"
                                       "5",
                                       2),
                           2),
              "05");
}

}  // namespace
}  // namespace q36
