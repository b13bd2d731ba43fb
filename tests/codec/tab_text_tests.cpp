#include <gtest/gtest.h>

#include "codec/band_defaults.h"
#include "codec/cell_texts.h"
#include "codec/channel_cells.h"
#include "codec/tab_text.h"

namespace q36 {
namespace {

TEST(TabTextTest, ReadsAndWritesTheSpreadsheetClipboardForm) {
    struct Case {
        const char* text;
        TextBlock block;
        bool written;  // WriteTabText gives the text back exactly
    };
    const Case cases[] = {
        {"", {}, true},
        {"a\tb\nc\td\n", {{"a", "b"}, {"c", "d"}}, true},
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}, false},  // Excel's line ends
        {"a\tb\nc\td", {{"a", "b"}, {"c", "d"}}, false},        // no final newline
        {"a\t\t\n", {{"a", "", ""}}, true},
        {"\"x\ty\"\t\"l1\nl2\"\t\"say \"\"hi\"\"\"\n", {{"x\ty", "l1\nl2", "say \"hi\""}}, true},
        {"5\"\t\"\"\n", {{"5\"", ""}}, false},  // a quote inside a field is just a quote
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTabText(c.text), c.block) << c.text;
        if (c.written) {
            EXPECT_EQ(WriteTabText(c.block), c.text) << c.text;
        }
    }
}

TEST(ChannelCellsTest, TakesEachFormOnceAndRefusesTheWholeRow) {
    const CellRules rules{136, 174, LANGUAGE_CHINESE};
    ChannelResult row = BandDefaultChannel(3, 136, 174, LANGUAGE_CHINESE);
    // Level "[n]" and the stored digit, English words stored as Chinese, CTCSS by its number,
    // a type change resetting its value.
    EXPECT_TRUE(ApplyChannelCells(
                    row, {{10, "[9]"}, {6, "Low"}, {4, "ctcss"}, {5, "88.50"}, {8, "DCS-"}}, rules)
                    .empty());
    EXPECT_EQ(row.LEVEL, 8);
    EXPECT_EQ(ChannelCellText(row, 10), "[9]");
    EXPECT_EQ(row.TXPOWER, "低");
    EXPECT_EQ(row.SDATA, "88.5");
    EXPECT_EQ(row.REDATA, "23");
    const ChannelResult before = row;
    const auto refused =
        ApplyChannelCells(row, {{0, "07"}, {10, "8"}, {3, "200"}, {11, "wide"}}, rules);
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].reason.en, celltxt::RefusedFreqOutOfBand.en);
    EXPECT_EQ(refused[1].reason.en, celltxt::RefusedNotInList.en);
    EXPECT_EQ(row, before);
    EXPECT_EQ(DescribeCellRefusal(refused[0], LANGUAGE_ENGLISH),
              "Channel 3 TxFreq: \"200\" - the frequency is outside the radio's band");

    // One value fills a larger selection; a block beyond the last row is cut off there.
    const ChannelArr rows = BandDefaultConfiguration(136, 174, LANGUAGE_CHINESE).channels;
    CellsOutcome filled = PasteChannelCells(rows, 20, 11, 4, 2, ParseTabText("N\n"), rules);
    EXPECT_FALSE(filled.cutOff);
    EXPECT_EQ(filled.rows[23].ADDSCAN, "不添加");  // "N" is no word of the scan list
    EXPECT_EQ(filled.refused.size(), 4u);
    filled = PasteChannelCells(rows, 23, 11, 1, 1, ParseTabText("N\nN\n"), rules);
    EXPECT_TRUE(filled.cutOff);
    EXPECT_EQ(filled.rows[23].BW, "窄");
}

}  // namespace
}  // namespace q36
