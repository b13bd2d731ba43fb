#include <gtest/gtest.h>

#include "protocol/band_table.h"

namespace q36 {
namespace {

TEST(BandTableTest, EntryTextsAndTheirLimits) {
    const char* texts[] = {"400-440", "430-470", "440-480", "350-390", "136-174"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(BandEntryText(i), texts[i]);
        EXPECT_EQ(BandIndexOfText(texts[i]), i);
        const auto limits = BandLimitsFromText(texts[i]);
        ASSERT_TRUE(limits) << texts[i];
        EXPECT_EQ(limits->lowMHz, BandTable[std::size_t(i)].lowMHz);
        EXPECT_EQ(limits->highMHz, BandTable[std::size_t(i)].highMHz);
    }
    EXPECT_EQ(BandEntryText(5), "");
    EXPECT_EQ(BandIndexOfText("136-175"), -1);
    EXPECT_FALSE(BandLimitsFromText("40-440"));
    EXPECT_FALSE(BandLimitsFromText("abc-def"));
}

TEST(BandTableTest, SelectBandSetsTheRunSettingsOrNothing) {
    RunSettings settings;
    ASSERT_TRUE(SelectBand(settings, "136-174", 4));
    EXPECT_EQ(settings.BandText, "136-174");
    EXPECT_EQ(settings.BandIndex, 4);
    EXPECT_EQ(settings.BandLowMHz, 136);
    EXPECT_EQ(settings.BandHighMHz, 174);

    EXPECT_FALSE(SelectBand(settings, "band", 1));
    EXPECT_EQ(settings.BandText, "136-174");
    EXPECT_EQ(settings.BandIndex, 4);
}

}  // namespace
}  // namespace q36
