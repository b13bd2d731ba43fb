// A dealer's day: one radio read into a workbook, then twenty radios written from it one after
// another, each a fresh `q36cli radio` process. Every run must succeed, every radio must end up
// with the first radio's memory, and nothing may pile up from one radio to the next: not this
// process's descriptors, not the tool's memory, not the tool's working files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_process.h"
#include "codec/data_block.h"
#include "protocol/radio_image.h"

namespace q36::test {
namespace {

constexpr int kRadios = 20;
constexpr const char* kBand = "400-440";
constexpr auto kRunTimeout = std::chrono::seconds(30);
// Runs of the same write differ in peak memory by the allocator's rounding, not by megabytes.
constexpr long kPeakSpreadKb = 1024;
constexpr long kPeakLimitKb = 50 * 1024;

// The first radio's memory: the defaults plus tones on one channel and an entry in a scan list,
// so that a block sent to the wrong place, or not at all, shows in the comparison.
RadioImage SourceImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    DataBlock& channel = image.Block(BLOCK_CHANNEL, 3);
    channel[9] = 0x1B;   // enabled, scan add, narrow, CTCSS receive tone
    channel[10] = 8;     // 88.5 Hz
    channel[11] = 0x36;  // VOX, low power, DCS- transmit tone
    channel[12] = 82;    // 754
    image.Block(BLOCK_SCAN, 1)[3] = 0x02;
    return image;
}

// A radio whose memory holds nothing the workbook could hold.
RadioImage ErasedImage() {
    RadioImage image;
    for (DataBlock& block : image.blocks) block.fill(0xFF);
    return image;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

TEST(SoakTest, TwentyRadiosWrittenInARowFromOneWorkbookLeaveNothingBehind) {
    ScratchFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    // The tool's private working stores go here, so that a leftover one is seen.
    const std::string toolTemp = folder.File("tool-temp");
    ASSERT_TRUE(std::filesystem::create_directory(toolTemp));
    const std::vector<std::string> env{"TMPDIR=" + toolTemp};
    const int descriptorsBefore = OpenDescriptors();

    const std::string sourceImage = folder.File("source.img");
    ASSERT_TRUE(SaveImageFile(sourceImage, SourceImage()));
    const std::string workbook = folder.File("archive.xlsx");
    {
        RadioProcess source;
        ASSERT_TRUE(source.Start({"--image", sourceImage}));
        const ProcessResult read =
            RunQ36cli({"read", "--port", source.Port(), "--band", kBand, "--out", workbook},
                      kRunTimeout, env);
        ASSERT_EQ(read.exitCode, 0) << read.err;
        EXPECT_EQ(source.Stop(), 0);
    }
    const auto expected = LoadImageFile(sourceImage);
    ASSERT_TRUE(expected);
    ASSERT_EQ(ImageToText(*expected), ImageToText(SourceImage())) << "reading changed the radio";

    std::vector<long> peakKb;
    for (int n = 1; n <= kRadios; ++n) {
        const std::string where = "radio " + std::to_string(n);
        const std::string image = folder.File("radio" + std::to_string(n) + ".img");
        ASSERT_TRUE(SaveImageFile(image, ErasedImage())) << where;
        RadioProcess radio;
        ASSERT_TRUE(radio.Start({"--image", image})) << where;
        const ProcessResult write = RunQ36cli(
            {"write", "--port", radio.Port(), "--band", kBand, "--in", workbook}, kRunTimeout, env);
        ASSERT_EQ(write.exitCode, 0) << where << ": " << write.err;
        EXPECT_EQ(radio.Stop(), 0) << where;
        const auto written = LoadImageFile(image);
        ASSERT_TRUE(written) << where;
        EXPECT_EQ(ImageToText(*written), ImageToText(*expected)) << where;
        peakKb.push_back(write.usage.ru_maxrss);
    }

    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
    const auto [low, high] = std::minmax_element(peakKb.begin(), peakKb.end());
    EXPECT_LE(*high - *low, kPeakSpreadKb)
        << "peak memory of the writes went from " << *low << " to " << *high << " KB";
    EXPECT_LT(*high, kPeakLimitKb);
    EXPECT_TRUE(std::filesystem::is_empty(toolTemp)) << "the tool left working files behind";
    // The images, the workbook and the tool's folder; no half-written image of an atomic save.
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, kRadios + 3);
}

}  // namespace
}  // namespace q36::test
