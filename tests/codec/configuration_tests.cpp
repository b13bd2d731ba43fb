// The configuration value: its field-by-field difference and the lock rule every channel writer
// goes by.

#include "codec/configuration.h"

#include <gtest/gtest.h>

#include "codec/change_words.h"
#include "codec/channel_fields.h"
#include "codec/edit_history.h"
#include "text/text_pairs.h"

namespace q36 {
namespace {

using Part = FieldChange::Part;

TEST(Configuration, DiffNamesEveryChangedFieldWithBothStoredTexts) {
    const Configuration before = BlankConfiguration();
    EXPECT_TRUE(Diff(before, before, 0).empty());

    Configuration after = before;
    after.common.aniMode = 1;  // "后" / "after PTT"
    after.common.tot = "120";
    after.channels[2].FTX = "435.0125";
    after.channels[2].LEVEL = 7;
    after.scans[4].slots[15] = "CH24";
    const std::vector<FieldChange> expected = {
        {Part::Common, 0, "AVIMODE", "", "后"},    {Part::Common, 0, "TOPSET", "", "120"},
        {Part::Channel, 3, "FTX", "", "435.0125"}, {Part::Channel, 3, "LEVEL", "0", "7"},
        {Part::ScanList, 5, "16", "", "CH24"},
    };
    EXPECT_EQ(Diff(before, after, 0), expected);
    EXPECT_EQ(Diff(after, before, 1)[0],
              (FieldChange{Part::Common, 0, "AVIMODE", "after PTT", ""}));

    // In plain words, and counted as the question before a write counts them.
    EXPECT_EQ(DescribeChange(expected[2], "A", "B", 1), "Channel 3 TxFreq: A (empty), B 435.0125");
    EXPECT_EQ(DescribeChange(expected[4], "A", "B", 0), "扫描列表 5 第 16 位：A （空），B CH24");
    EXPECT_EQ(ChangeColumn({Part::Common, 0, "TOPSET", "", ""}, 1), "TOT   Set");
    EXPECT_EQ(CountChanges(expected), (ChangeCounts{1, 2, 1}));
    EXPECT_EQ(ChangeSummary({}, 1), Tr(txt::TxtNoChange, 1));

    // A frequency or tone value is the same number however it is written.
    Configuration written = after;
    written.channels[2].FTX = "435.01250";
    EXPECT_EQ(Diff(after, written, 0), std::vector<FieldChange>{});
    written.channels[2].FTX = "435.0126";
    EXPECT_EQ(Diff(after, written, 0).size(), 1u);

    after.channels.pop_back();  // a channel only one side has differs in every field it holds
    EXPECT_EQ(Diff(before, after, 0).size(), expected.size() + 1);  // LEVEL "0" against ""
}

TEST(Configuration, ADisabledChannelKeepsItsValuesUnlessAWriterEnablesItFirst) {
    ChannelResult row = BlankConfiguration().channels[0];
    row.ENABLED = "False";
    row.FTX = "400";
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        EXPECT_EQ(ChannelColumnWritable(row, k), k == CHANNEL_ENABLED) << k;
    }
    // The read transfer's update of a disabled channel changes only ENABLED.
    EXPECT_FALSE(ApplyChannelUpdate(row, {1, {{"FTX", "410"}, {"LEVEL", "3"}}}));
    EXPECT_EQ(row.FTX, "400");
    // An update that enables the channel first writes the rest; the key is never written.
    EXPECT_FALSE(
        ApplyChannelUpdate(row, {1, {{"ENABLED", "True"}, {"FTX", "410"}, {"CHANNELNO", "09"}}}));
    EXPECT_EQ(row.FTX, "410");
    EXPECT_EQ(row.CHANNELNO, "01");
    EXPECT_FALSE(ApplyChannelUpdate(row, {1, {{"LEVEL", "x"}}}));  // no number: LEVEL unchanged
    EXPECT_EQ(row.LEVEL, 0);

    // A workbook record replaces a disabled channel whole and leaves it as the record says.
    row.ENABLED = "False";
    ChannelResult record = row;
    record.FTX = "420";
    EXPECT_TRUE(ApplyChannelUpdate(row, RecordUpdate(row, record)));
    EXPECT_EQ(row, record);
}

TEST(EditHistory, UndoRedoDropsRedoStepsKeepsItsDepthAndKnowsCleanAndWritten) {
    const TextPair name{"改", "Edit"};
    std::vector<Configuration> states(4, BlankConfiguration());
    for (int i = 1; i < 4; ++i) states[std::size_t(i)].channels[0].FTX = std::to_string(400 + i);
    EditHistory history(2);
    history.Reset(states[0]);
    EXPECT_FALSE(history.Record(name, "", states[0]));  // nothing changed: no step
    EXPECT_TRUE(history.Record(name, "a", states[1]));
    history.MarkWritten();
    EXPECT_TRUE(history.IsClean());
    EXPECT_TRUE(history.Record(name, "b", states[2]));
    EXPECT_FALSE(history.IsClean());
    // Undone back to what was written: clean again, and the step before the write says so.
    history.Undo();
    EXPECT_EQ(history.Current(), states[1]);
    EXPECT_TRUE(history.IsClean());
    EXPECT_TRUE(history.WrittenBefore(*history.UndoStep()));
    EXPECT_FALSE(history.WrittenBefore(*history.RedoStep()));
    // A new step drops the one undone; the depth of 2 drops the oldest.
    EXPECT_TRUE(history.Record(name, "c", states[3]));
    EXPECT_EQ(history.RedoStep(), nullptr);
    EXPECT_TRUE(history.Record(name, "d", states[0]));
    EXPECT_EQ(history.StepCount(), 2u);
    history.Undo();
    history.Undo();
    history.Undo();  // nothing left: stays
    EXPECT_EQ(history.Current(), states[1]);
    EXPECT_EQ(history.UndoStep(), nullptr);
    history.Redo();
    EXPECT_EQ(history.Current(), states[3]);
    EXPECT_EQ(history.UndoStep()->detail, "c");
}

}  // namespace
}  // namespace q36
