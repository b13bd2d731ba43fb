#include <gtest/gtest.h>

#include "codec/frequency.h"

namespace q36 {
namespace {

uint32_t Units(const char* text) {
    const auto value = ParseDecimalText(text);
    EXPECT_TRUE(value.has_value()) << '"' << text << '"';
    return value ? FrequencyUnitsLow24(*value) : 0xDEADBEEF;
}

struct UnitsCase {
    const char* text;
    uint32_t units;
};

TEST(FrequencyTest, TextsBecomeUnitsExactlyTruncatedTowardZero) {
    const UnitsCase cases[] = {
        {"136.0125", 1088100},  // 0x109A64
        {"145.5", 1164000},
        {"435.0125", 3480100},
        {"4.4E2", 3520000},
        {"440", 3520000},
        {" +145.5000 ", 1164000},
        {"0.000125", 1},
        {"0.000124", 0},
        {"0.5005", 4004},  // 0.5005 * 8000 in binary floating point is 4003.99...
        {"435.01249999999999999999", 3480099},
        {"2097.151875", 0xFFFFFF},
        {"2097.152", 0},  // only the low 24 bits fit the field
        {"-0.000125", 0xFFFFFF},
    };
    for (const UnitsCase& c : cases) EXPECT_EQ(Units(c.text), c.units) << '"' << c.text << '"';
}

TEST(FrequencyTest, UnitsTravelAsThreeBytesLowFirst) {
    uint8_t bytes[3] = {};
    PutUnits24(bytes, Units("136.0125"));
    EXPECT_EQ(bytes[0], 0x64);
    EXPECT_EQ(bytes[1], 0x9A);
    EXPECT_EQ(bytes[2], 0x10);

    const uint8_t received[3] = {0x64, 0x9A, 0x10};
    EXPECT_EQ(GetUnits24(received), 1088100u);
    EXPECT_EQ(FrequencyTextFromUnits(GetUnits24(received)), "136.0125");
    EXPECT_EQ(FrequencyTextFromUnits(1164000), "145.5000");
    EXPECT_EQ(FrequencyTextFromUnits(0), "0.0000");
}

// Every 125 Hz step of a band turns back into the same units; steps of 500 Hz keep the usual
// four decimals, finer ones (a 6.25 kHz raster) keep the digits they need.
TEST(FrequencyTest, DecodedTextsEncodeBackToTheSameUnits) {
    EXPECT_EQ(FrequencyTextFromUnits(Units("136.00625")), "136.00625");
    EXPECT_EQ(FrequencyTextFromUnits(Units("136.000125")), "136.000125");
    EXPECT_EQ(FrequencyTextFromUnits(Units("440.0005")), "440.0005");
    for (uint32_t units = 136 * 8000; units <= 174 * 8000; units += 1) {
        const std::string text = FrequencyTextFromUnits(units);
        ASSERT_EQ(Units(text.c_str()), units) << text;
    }
    for (uint32_t units = 400 * 8000; units <= 480 * 8000; units += 7) {
        const std::string text = FrequencyTextFromUnits(units);
        ASSERT_EQ(Units(text.c_str()), units) << text;
    }
}

struct BandCase {
    const char* text;
    int low, high;
    FrequencyCheck expected;
};

TEST(FrequencyTest, BandLimitsAreInclusiveAndComparedExactly) {
    using enum FrequencyCheck;
    const BandCase cases[] = {
        {"400", 400, 440, Ok},
        {"440", 400, 440, Ok},
        {"440.0000", 400, 440, Ok},
        {"4.4E2", 400, 440, Ok},
        {"0440", 400, 440, Ok},
        {"440.0001", 400, 440, OutOfBand},
        {"440.00000000000000000001", 400, 440, OutOfBand},
        {"4.40001E2", 400, 440, OutOfBand},
        {"399.9999", 400, 440, OutOfBand},
        {"-400", 400, 440, OutOfBand},
        {"174", 136, 174, Ok},
        {"136", 136, 174, Ok},
        {"174.0125", 136, 174, OutOfBand},
        {"135.9999", 136, 174, OutOfBand},
        {"", 400, 440, NotNumber},
        {"abc", 400, 440, NotNumber},
        {"14a", 400, 440, NotNumber},
        {"435,0125", 400, 440, NotNumber},
    };
    for (const BandCase& c : cases) {
        EXPECT_EQ(CheckFrequencyText(c.text, c.low, c.high), c.expected)
            << '"' << c.text << "\" in " << c.low << "-" << c.high;
    }
}

TEST(FrequencyTest, ParsedDecimalsAreNormalised) {
    const auto a = ParseDecimalText("0440.500");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->intDigits, "440");
    EXPECT_EQ(a->fracDigits, "5");
    EXPECT_FALSE(a->negative);

    const auto b = ParseDecimalText("-1e-3");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->intDigits, "");
    EXPECT_EQ(b->fracDigits, "001");
    EXPECT_TRUE(b->negative);

    const auto zero = ParseDecimalText("-0.000");
    ASSERT_TRUE(zero);
    EXPECT_FALSE(zero->negative);
    EXPECT_EQ(FrequencyUnitsLow24(*zero), 0u);

    EXPECT_FALSE(ParseDecimalText("1e999999999999"));
}

}  // namespace
}  // namespace q36
