#include <gtest/gtest.h>

#include "codec/text_checks.h"

namespace q36 {
namespace {

TEST(TextChecksTest, IsDigitsAcceptsOnlyAsciiDigitsAndTheEmptyText) {
    EXPECT_TRUE(IsDigits(""));
    EXPECT_TRUE(IsDigits("0123456789"));
    EXPECT_FALSE(IsDigits("12a"));
    EXPECT_FALSE(IsDigits("-1"));
    EXPECT_FALSE(IsDigits(" 1"));
    EXPECT_FALSE(IsDigits("1.0"));
    EXPECT_FALSE(IsDigits("１"));  // full-width digit
}

struct TextCase {
    const char* text;
    bool expected;
};

TEST(TextChecksTest, IsFloatTextAcceptsPlainAndExponentNumbersOnly) {
    const TextCase cases[] = {
        {"145.5", true}, {"4.4E2", true}, {"1e-3", true},  {".5", true},   {"5.", true},
        {"-1", true},    {"+1.25", true}, {"0440", true},  {"", false},    {"14a", false},
        {".", false},    {"1e", false},   {"e5", false},   {"1,5", false}, {"1.2.3", false},
        {"inf", false},  {"nan", false},  {"0x10", false}, {"--1", false}, {"1e400", false},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(IsFloatText(c.text), c.expected) << '"' << c.text << '"';
}

struct ValidCase {
    const char* text;
    const char* type;
    bool expected;
};

TEST(TextChecksTest, IsValidAsConvertsByTheTypeNamesFirstLetter) {
    const ValidCase cases[] = {
        {"12", "Integer", true},
        {"12", "integer", true},
        {"1.5", "Integer", false},
        {"$1F", "I", true},
        {"1.5", "float", true},
        {"2024-02-29", "Date", true},
        {"2023-02-29", "Date", false},
        {"2024-13-01", "Date", false},
        {"12:30", "Time", true},
        {"12:30:59", "Time", true},
        {"24:00", "Time", false},
        {"2024-01-05 12:30:00", "AnyDateTime", true},
        {"2024-01-05 25:30", "A", false},
        {"12", "String", false},
        {"12", "", false},
    };
    for (const ValidCase& c : cases) {
        EXPECT_EQ(IsValidAs(c.text, c.type), c.expected) << '"' << c.text << "\" as " << c.type;
    }
}

TEST(TextChecksTest, TextToIntRefusesWhatDoesNotFitThirtyTwoBits) {
    long long v = -1;
    EXPECT_TRUE(TextToInt("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(TextToInt("0000000000001", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(TextToInt("-2147483648", v));
    EXPECT_EQ(v, -2147483648LL);
    EXPECT_TRUE(TextToInt("2147483647", v));
    EXPECT_EQ(v, 2147483647);

    v = 7;
    EXPECT_FALSE(TextToInt("2147483648", v));
    EXPECT_FALSE(TextToInt("99999999999999999999999", v));
    EXPECT_FALSE(TextToInt("", v));
    EXPECT_FALSE(TextToInt("1.0", v));
    EXPECT_EQ(v, 7) << "a refused text leaves the value alone";
}

}  // namespace
}  // namespace q36
