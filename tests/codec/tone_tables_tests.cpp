#include <gtest/gtest.h>

#include <sstream>

#include "codec/tone_tables.h"

namespace q36 {
namespace {

std::string Joined(ToneTable table) {
    std::ostringstream out;
    for (std::string_view text : table) out << text << ' ';
    return out.str();
}

// The radio stores a tone as its index, so one entry out of place shifts every tone after it.
TEST(ToneTablesTest, TablesHoldTheRadioEntriesInRadioOrder) {
    EXPECT_EQ(Joined(CTCSSTable),
              "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 "
              "110.9 114.8 118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 "
              "165.5 167.9 171.3 173.8 177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 "
              "206.5 210.7 218.1 225.7 229.1 233.6 241.8 250.3 254.1 ");
    EXPECT_EQ(Joined(DCSTable),
              "23 25 26 31 32 43 47 51 54 65 71 72 73 74 114 115 116 125 131 132 134 143 152 155 "
              "156 162 165 172 174 205 223 226 243 244 245 251 261 263 265 271 306 311 315 331 "
              "343 346 351 364 365 371 411 412 413 423 431 432 445 464 465 466 503 506 516 532 "
              "546 565 606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754 ");
    EXPECT_EQ(Joined(ChannelNameTable),
              "CH01 CH02 CH03 CH04 CH05 CH06 CH07 CH08 CH09 CH10 CH11 CH12 CH13 CH14 CH15 CH16 "
              "CH17 CH18 CH19 CH20 CH21 CH22 CH23 CH24 ");
}

TEST(ToneTablesTest, ToneTextAtGivesNullBeyondTheTable) {
    EXPECT_EQ(ToneTextAt(CTCSSTable, 49), "254.1");
    EXPECT_EQ(ToneTextAt(CTCSSTable, 50), "NULL");
    EXPECT_EQ(ToneTextAt(DCSTable, 82), "754");
    EXPECT_EQ(ToneTextAt(DCSTable, 83), "NULL");
    EXPECT_EQ(ToneTextAt(DCSTable, 255), "NULL");
    EXPECT_EQ(ToneTextAt(ChannelNameTable, 0x17), "CH24");
    EXPECT_EQ(ToneTextAt(ChannelNameTable, 0x18), "NULL");
    EXPECT_EQ(ToneTextAt(ChannelNameTable, -1), "NULL");
}

struct IndexCase {
    ToneTable table;
    int last;
    const char* text;
    int expected;
};

TEST(ToneTablesTest, ToneIndexOfMatchesWholeTextsExactly) {
    const IndexCase cases[] = {
        {DCSTable, 82, "754", 82},
        {DCSTable, 81, "754", 255},   // beyond the last index searched
        {DCSTable, 82, "023", 255},   // the table has no leading zeros
        {CTCSSTable, 49, "67", 255},  // "67.0" is required
        {CTCSSTable, 49, "88.5", 8},
        {CTCSSTable, 49, " 88.5", 255},
        {CTCSSTable, 49, "", 255},
        {CTCSSTable, 49, "NULL", 255},
        {ChannelNameTable, 23, "CH24", 23},
        {ChannelNameTable, 23, "ch01", 255},
        {ChannelNameTable, 23, "NULL", 255},
    };
    for (const IndexCase& c : cases) {
        EXPECT_EQ(ToneIndexOf(c.table, c.last, c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ToneTablesTest, EveryEntryFindsItsOwnIndex) {
    for (ToneTable table :
         {ToneTable(CTCSSTable), ToneTable(DCSTable), ToneTable(ChannelNameTable)}) {
        const int last = int(table.size()) - 1;
        for (int i = 0; i <= last; ++i) {
            EXPECT_EQ(ToneIndexOf(table, last, ToneTextAt(table, i)), i) << table[std::size_t(i)];
        }
    }
}

TEST(ToneTablesTest, ToneTypeTextsAndTheirValueTables) {
    EXPECT_EQ(ToneTypeCode("NULL"), 0);
    EXPECT_EQ(ToneTypeCode("CTCSS"), 1);
    EXPECT_EQ(ToneTypeCode("DCS+"), 2);
    EXPECT_EQ(ToneTypeCode("DCS-"), 3);
    EXPECT_EQ(ToneTypeCode("dcs+"), -1);
    EXPECT_EQ(ToneTypeCode(""), -1);

    EXPECT_EQ(ToneValueTable("CTCSS").size(), 50u);
    EXPECT_EQ(ToneValueTable("DCS+").size(), 83u);
    EXPECT_EQ(ToneValueTable("DCS-").size(), 83u);
    EXPECT_TRUE(ToneValueTable("NULL").empty());
    EXPECT_TRUE(ToneValueTable("CTCSS ").empty());
}

}  // namespace
}  // namespace q36
