#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "protocol/radio_image.h"
#include "sim/virtual_radio.h"
#include "support/scratch_folder.h"

namespace q36 {
namespace {

using test::ScratchFolder;

TEST(RadioImage, TextRoundTripKeepsEveryByte) {
    RadioImage image = DefaultRadioImage(136, 174);
    image.blocks[7][20] = 0xAB;
    const std::string text = ImageToText(image);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 30);
    EXPECT_EQ(text.substr(0, 70),
              "01000102003C0000000000000108000000000000000000000000000000000000000000");
    const auto back = ImageFromText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, image);
}

TEST(RadioImage, RefusesDamagedText) {
    const std::string good = ImageToText(DefaultRadioImage(400, 440));
    std::string error;
    EXPECT_FALSE(ImageFromText(good.substr(0, 71 * 29), &error));
    EXPECT_NE(error.find("fewer than 30"), std::string::npos);
    std::string badDigit = good;
    badDigit[5] = 'G';
    EXPECT_FALSE(ImageFromText(badDigit, &error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(ImageFromText(good + good.substr(0, 71), &error));
    std::string shortLine = good;
    shortLine.erase(10, 2);
    EXPECT_FALSE(ImageFromText(shortLine, &error));
}

TEST(RadioImage, FileSaveReplacesAtomicallyAndLoadsBack) {
    const ScratchFolder folder;
    const std::filesystem::path dir = folder.Path();
    const std::string path = (dir / "radio.img").string();
    RadioImage image = DefaultRadioImage(430, 470);
    std::string error;
    ASSERT_TRUE(SaveImageFile(path, image, &error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    const auto loaded = LoadImageFile(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, image);
    EXPECT_FALSE(LoadImageFile((dir / "missing.img").string(), &error));
    EXPECT_NE(error.find("missing.img"), std::string::npos);
    EXPECT_FALSE(SaveImageFile((dir / "no" / "such" / "dir.img").string(), image, &error));
    std::filesystem::remove_all(dir);
}

TEST(RadioFaults, ParsesEveryKindAndRefusesOthers) {
    RadioFaults faults;
    std::string error;
    EXPECT_TRUE(ParseFault("handshake-status=2", faults, error));
    EXPECT_TRUE(ParseFault("silent-after=3", faults, error));
    EXPECT_TRUE(ParseFault("corrupt=2:5", faults, error));
    EXPECT_TRUE(ParseFault("split=3:1", faults, error));
    EXPECT_TRUE(ParseFault("write-status=2:6:3", faults, error));
    EXPECT_TRUE(ParseFault("garbage-before=2:5", faults, error));
    EXPECT_TRUE(ParseFault("duplicate=0:0", faults, error));
    EXPECT_TRUE(ParseFault("hangup-after=14", faults, error));
    EXPECT_EQ(faults.garbageBefore.at(0), (BlockRef{2, 5}));
    EXPECT_EQ(faults.duplicate.at(0), (BlockRef{0, 0}));
    EXPECT_EQ(faults.hangupAfter, 14);
    EXPECT_EQ(faults.handshakeStatus, 2);
    EXPECT_EQ(faults.silentAfter, 3);
    EXPECT_EQ(faults.corrupt.at(0), (BlockRef{2, 5}));
    EXPECT_EQ(faults.split.at(0), (BlockRef{3, 1}));
    EXPECT_EQ(faults.writeStatus.at(0).status, 3);
    for (const char* bad : {"corrupt=2", "split=a:b", "write-status=1:2", "noise=1",
                            "silent-after=-1", "handshake-status=999", "corrupt=2:5:1",
                            "garbage-before=2", "duplicate=a:1", "hangup-after=1:2"}) {
        EXPECT_FALSE(ParseFault(bad, faults, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace q36
