#include "exchange/text_forms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q36::exchange {
namespace {

TEST(NumberText, GivesTheShortestDecimalThatReadsBack) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {400, "400"},
        {435.0125, "435.0125"},
        {-0.5, "-0.5"},
        {0.1 + 0.2, "0.30000000000000004"},
        {0, "0"},
        {1e-5, "0.00001"},
        {1e15, "1e+15"},
        {123456789012345, "123456789012345"},
        {1e300, "1e+300"},
        {2.5e-7, "2.5e-07"},
        {136.00625, "136.00625"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
    EXPECT_EQ(NumberText(-0.0), "0");
}

TEST(NumberFromText, TakesPlainDecimalsOnly) {
    EXPECT_EQ(NumberFromText("400"), 400.0);
    EXPECT_EQ(NumberFromText(" 435.0125 "), 435.0125);
    EXPECT_EQ(NumberFromText("+1.5e2"), 150.0);
    EXPECT_EQ(NumberFromText("-.5"), -0.5);
    for (const char* text : {"", " ", "abc", "inf", "nan", "0x10", "1,5", "4 00", "1e999999"}) {
        EXPECT_FALSE(NumberFromText(text).has_value()) << text;
    }
}

TEST(TrimBlanks, RemovesSpacesAndControlsAtBothEndsOnly) {
    EXPECT_EQ(TrimBlanks("  a b \t\r\n"), "a b");
    EXPECT_EQ(TrimBlanks("ANI   设置："), "ANI   设置：");
    EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(QuotedCellText, CutsLongTextsAfterFortyCharactersWhole) {
    const std::string forty = std::string(39, 'x') + "道";
    EXPECT_EQ(QuotedCellText(forty), forty);
    EXPECT_EQ(QuotedCellText(forty + "道道"), forty + "…");
}

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf16FromUtf8("信道"), u"信道");
    EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x93\xBB"), u"\U0001F4FB");  // a surrogate pair
    EXPECT_EQ(Utf16FromUtf8("a\xFF"
                            "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf16FromUtf8("\xE4\xBF"), u"\uFFFD\uFFFD");  // truncated sequence
    EXPECT_EQ(Utf16FromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong NUL
    EXPECT_EQ(ValidUtf8("ok\xED\xA0\x80"), "ok\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
}

}  // namespace
}  // namespace q36::exchange
