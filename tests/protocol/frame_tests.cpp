#include <gtest/gtest.h>

#include <vector>

#include "protocol/frame.h"
#include "protocol/image_configuration.h"

namespace q36 {
namespace {

using Bytes = std::vector<uint8_t>;

struct FrameCase {
    const char* name;
    uint8_t command;
    Bytes payload;
    Bytes expected;
};

TEST(FrameTest, BuildFrameMatchesTheLineExamples) {
    const FrameCase cases[] = {
        {"read request 1",
         CMD_READ_REQUEST,
         {0x01},
         {0xC4, 0xD7, 0x92, 0x01, 0x01, 0x92, 0x04, 0x04, 0x04}},
        {"read request 2",
         CMD_READ_REQUEST,
         {0x02},
         {0xC4, 0xD7, 0x92, 0x01, 0x02, 0x91, 0x04, 0x04, 0x04}},
        {"read request 3",
         CMD_READ_REQUEST,
         {0x03},
         {0xC4, 0xD7, 0x92, 0x01, 0x03, 0x90, 0x04, 0x04, 0x04}},
        {"status 0", CMD_STATUS, {ST_OK}, {0xC4, 0xD7, 0x80, 0x01, 0x00, 0x81, 0x04, 0x04, 0x04}},
        {"status 3",
         CMD_STATUS,
         {ST_CHECKSUM_ERROR},
         {0xC4, 0xD7, 0x80, 0x01, 0x03, 0x82, 0x04, 0x04, 0x04}},
        {"handshake",
         CMD_HANDSHAKE,
         {0x04, 'K', 'Z', 'P', 0x18},
         {0xC4, 0xD7, 0x90, 0x05, 0x04, 0x4B, 0x5A, 0x50, 0x18,
          0x90 ^ 0x05 ^ 0x04 ^ 0x4B ^ 0x5A ^ 0x50 ^ 0x18, 0x04, 0x04, 0x04}},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(BuildFrame(c.command, c.payload), c.expected) << c.name;
}

TEST(FrameTest, DataBlockTravelsAsAFortyThreeByteFrame) {
    Bytes payload(35);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = uint8_t(0xC4 + i);  // head-like bytes
    const Bytes frame = BuildFrame(CMD_WRITE_DATA, payload);
    ASSERT_EQ(frame.size(), 43u);
    EXPECT_EQ(frame[3], 0x23);
    EXPECT_EQ(Bytes(frame.begin() + 4, frame.begin() + 39), payload);  // no escaping
    uint8_t sum = 0;
    for (std::size_t i = 2; i <= 38; ++i) sum ^= frame[i];
    EXPECT_EQ(frame[39], sum);
    EXPECT_EQ(Bytes(frame.begin() + 40, frame.end()), (Bytes{0x04, 0x04, 0x04}));
}

Bytes Reply() {
    Bytes payload(HANDSHAKE_REPLY_PAYLOAD, 0);
    payload[0] = 1;
    payload[1] = 0;
    payload[2] = 3;
    return BuildFrame(CMD_HANDSHAKE_REPLY, payload);
}

TEST(FrameTest, ReceivedFrameCheckTestsChecksumThenDeliveredLength) {
    const Bytes good = Reply();
    ASSERT_EQ(good.size(), 22u);
    EXPECT_TRUE(CheckReceivedFrame(good, HANDSHAKE_REPLY_PAYLOAD));

    Bytes badSum = good;
    badSum[6] ^= 0x01;
    EXPECT_FALSE(CheckReceivedFrame(badSum, HANDSHAKE_REPLY_PAYLOAD));

    Bytes foreignHead = good;
    foreignHead[0] = 0x00;
    foreignHead[1] = 0xFF;
    foreignHead[21] = 0x00;  // nor is the tail looked at
    EXPECT_TRUE(CheckReceivedFrame(foreignHead, HANDSHAKE_REPLY_PAYLOAD));

    const Bytes missingTailByte(good.begin(), good.end() - 1);
    EXPECT_FALSE(CheckReceivedFrame(missingTailByte, HANDSHAKE_REPLY_PAYLOAD));
    Bytes extraByte = good;
    extraByte.push_back(0x04);
    EXPECT_FALSE(CheckReceivedFrame(extraByte, HANDSHAKE_REPLY_PAYLOAD));
}

// A short delivery is refused from its own bytes; the checksum that lies just past its end in
// memory must not be read.
TEST(FrameTest, ShortDeliveryFailsWithoutReadingPastItsEnd) {
    const Bytes reply = Reply();
    for (std::size_t length = 0; length < 19; ++length) {
        EXPECT_FALSE(CheckReceivedFrame(std::span(reply).first(length), HANDSHAKE_REPLY_PAYLOAD))
            << length;
    }
    const Bytes data = BuildFrame(CMD_READ_DATA, Bytes(35, 0x5A));
    ASSERT_TRUE(CheckReceivedFrame(data, 35));
    for (std::size_t length = 0; length < 40; ++length) {
        EXPECT_FALSE(CheckReceivedFrame(std::span(data).first(length), 35)) << length;
    }
}

TEST(FrameTest, SplitterCutsABytewiseStreamIntoFramesAndNoiseAndTheImageKeepsDataFrames) {
    const std::vector<uint8_t> status = BuildFrame(CMD_STATUS, std::vector<uint8_t>{ST_OK});
    DataBlock block{BLOCK_CHANNEL, 6, 24, 1, 2, 3};
    const std::vector<uint8_t> data = BuildFrame(CMD_WRITE_DATA, block);
    std::vector<uint8_t> stream{0x00, 0xC4};  // noise, and a head byte that starts no frame
    stream.insert(stream.end(), status.begin(), status.end());
    stream.insert(stream.end(), data.begin(), data.end());
    FrameSplitter splitter;
    std::vector<std::vector<uint8_t>> pieces;
    for (uint8_t byte : stream) {
        for (auto& piece : splitter.Push(&byte, 1)) pieces.push_back(piece);
    }
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], (std::vector<uint8_t>{0x00, 0xC4}));
    EXPECT_EQ(pieces[1], status);
    EXPECT_EQ(pieces[2], data);
    EXPECT_TRUE(splitter.TakeRest().empty());

    RadioImage image;
    EXPECT_FALSE(TakeDataFrame(pieces[1], image));  // no data frame
    std::vector<uint8_t> damaged = data;
    damaged[10] ^= 1;
    EXPECT_FALSE(TakeDataFrame(damaged, image));
    EXPECT_TRUE(TakeDataFrame(data, image));
    EXPECT_EQ(image.Block(BLOCK_CHANNEL, 6), block);
}

}  // namespace
}  // namespace q36
