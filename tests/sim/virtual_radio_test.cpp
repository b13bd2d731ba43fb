#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/frame.h"
#include "sim/virtual_radio.h"

namespace q36 {
namespace {

std::vector<uint8_t> Handshake(uint8_t band, const char* password) {
    const uint8_t payload[5] = {band, uint8_t(password[0]), uint8_t(password[1]),
                                uint8_t(password[2]), 0x18};
    return BuildFrame(CMD_HANDSHAKE, payload);
}

std::vector<uint8_t> Status(uint8_t code) {
    const uint8_t payload[1] = {code};
    return BuildFrame(CMD_STATUS, payload);
}

std::vector<uint8_t> ReadRequest(uint8_t type) {
    const uint8_t payload[1] = {type};
    return BuildFrame(CMD_READ_REQUEST, payload);
}

struct RadioSide : ::testing::Test {
    VirtualRadio radio{RadioConfig{}, DefaultRadioImage(400, 440)};

    std::vector<std::vector<uint8_t>> Send(const std::vector<uint8_t>& frame) {
        radio.Receive(frame.data(), frame.size());
        return radio.TakeDeliveries();
    }
    uint8_t StatusOf(const std::vector<std::vector<uint8_t>>& answers) {
        EXPECT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers.at(0).at(2), CMD_STATUS);
        return answers.at(0).at(4);
    }
};

TEST_F(RadioSide, HandshakeChecksBandAndPassword) {
    EXPECT_EQ(StatusOf(Send(Handshake(1, "KZP"))), ST_MODEL_MISMATCH);
    EXPECT_EQ(StatusOf(Send(Handshake(0, "KZQ"))), ST_BAD_PASSWORD);
    auto bad = Handshake(0, "KZP");
    bad[9] ^= 1;
    EXPECT_EQ(StatusOf(Send(bad)), ST_CHECKSUM_ERROR);
    const auto reply = Send(Handshake(0, "KZP"));
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0].size(), 22u);
    EXPECT_EQ(reply[0][2], CMD_HANDSHAKE_REPLY);
    EXPECT_EQ(reply[0][4], 1);
    EXPECT_EQ(reply[0][6], 3);
}

TEST_F(RadioSide, RefusesRequestsBeforeTheHandshake) {
    EXPECT_EQ(StatusOf(Send(ReadRequest(1))), ST_UNKNOWN_COMMAND);
}

TEST_F(RadioSide, BytesMayArriveOneAtATimeAfterLineNoise) {
    const std::vector<uint8_t> noise{0x00, 0xC4, 0x13, 0xFF};
    radio.Receive(noise.data(), noise.size());
    for (uint8_t byte : Handshake(0, "KZP")) radio.Receive(&byte, 1);
    const auto answers = radio.TakeDeliveries();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][2], CMD_HANDSHAKE_REPLY);
}

TEST_F(RadioSide, SendsChannelsOnePerAcknowledgementAndStopsAfterTheLast) {
    Send(Handshake(0, "KZP"));
    auto answers = Send(ReadRequest(2));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0][5], 0);
    for (int i = 1; i < 24; ++i) {
        answers = Send(Status(0));
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0][4], BLOCK_CHANNEL);
        EXPECT_EQ(answers[0][5], i);
        EXPECT_TRUE(CheckReceivedFrame(answers[0], DATA_PAYLOAD));
    }
    EXPECT_TRUE(Send(Status(0)).empty());
}

TEST_F(RadioSide, KeepsWriteBlocksAndAnswersConfiguredStatus) {
    RadioConfig config;
    config.faults.writeStatus.push_back({{2, 6}, 3});
    VirtualRadio faulty(config, DefaultRadioImage(400, 440));
    auto send = [&faulty](const std::vector<uint8_t>& frame) {
        faulty.Receive(frame.data(), frame.size());
        return faulty.TakeDeliveries();
    };
    send(Handshake(0, "KZP"));
    DataBlock block{};
    block[0] = 2;
    block[1] = 5;
    block[20] = 0x5A;
    EXPECT_EQ(send(BuildFrame(CMD_WRITE_DATA, block)).at(0).at(4), ST_OK);
    EXPECT_EQ(faulty.Image().Block(2, 5)[20], 0x5A);
    block[1] = 6;
    EXPECT_EQ(send(BuildFrame(CMD_WRITE_DATA, block)).at(0).at(4), ST_CHECKSUM_ERROR);
    EXPECT_EQ(faulty.Image().Block(2, 6)[20], 0);
    block[0] = 9;
    EXPECT_EQ(send(BuildFrame(CMD_WRITE_DATA, block)).at(0).at(4), ST_UNKNOWN_COMMAND);
}

TEST_F(RadioSide, SilentAfterCountsAnswers) {
    RadioConfig config;
    config.faults.silentAfter = 2;
    VirtualRadio quiet(config, DefaultRadioImage(400, 440));
    const auto hs = Handshake(0, "KZP");
    const auto req = ReadRequest(1);
    quiet.Receive(hs.data(), hs.size());
    quiet.Receive(req.data(), req.size());
    quiet.Receive(req.data(), req.size());
    EXPECT_EQ(quiet.TakeDeliveries().size(), 2u);
    EXPECT_EQ(quiet.AnswersSent(), 2);
}

TEST_F(RadioSide, SplitAndCorruptFaultsShapeReadBlocks) {
    RadioConfig config;
    config.faults.split.push_back({1, 0});
    config.faults.corrupt.push_back({2, 0});
    VirtualRadio odd(config, DefaultRadioImage(400, 440));
    auto send = [&odd](const std::vector<uint8_t>& frame) {
        odd.Receive(frame.data(), frame.size());
        return odd.TakeDeliveries();
    };
    send(Handshake(0, "KZP"));
    const auto pieces = send(ReadRequest(1));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size() + pieces[1].size(), 43u);
    EXPECT_EQ(odd.PauseBefore(), (std::vector<bool>{false, true}));
    EXPECT_FALSE(CheckReceivedFrame(send(ReadRequest(2)).at(0), DATA_PAYLOAD));
    // Corrupted once only: asked again, the block comes whole.
    EXPECT_TRUE(CheckReceivedFrame(send(ReadRequest(2)).at(0), DATA_PAYLOAD));
}

TEST_F(RadioSide, NoiseDuplicatesAndCorruptionShapeTheAnswersTheyName) {
    RadioConfig config;
    config.faults.garbageBefore.push_back({0, 0});  // the handshake's answer
    config.faults.duplicate.push_back({2, 3});      // the status for written channel 4
    config.faults.corrupt.push_back({2, 4});        // the status for written channel 5
    VirtualRadio odd(config, DefaultRadioImage(400, 440));
    auto send = [&odd](const std::vector<uint8_t>& frame) {
        odd.Receive(frame.data(), frame.size());
        return odd.TakeDeliveries();
    };
    const auto reply = send(Handshake(0, "KZP")).at(0);
    ASSERT_EQ(reply.size(), LINE_NOISE.size() + 22);
    EXPECT_TRUE(std::equal(LINE_NOISE.begin(), LINE_NOISE.end(), reply.begin()));
    EXPECT_EQ(reply[LINE_NOISE.size() + 2], CMD_HANDSHAKE_REPLY);
    DataBlock block{};
    block[0] = 2;
    block[1] = 3;
    const auto twice = send(BuildFrame(CMD_WRITE_DATA, block));
    ASSERT_EQ(twice.size(), 1u) << "both copies in one burst";
    EXPECT_EQ(twice[0], (std::vector<uint8_t>{0xC4, 0xD7, 0x80, 0x01, 0x00, 0x81, 4, 4, 4, 0xC4,
                                              0xD7, 0x80, 0x01, 0x00, 0x81, 4, 4, 4}));
    block[1] = 4;
    EXPECT_NE(send(BuildFrame(CMD_WRITE_DATA, block)).at(0)[5], 0x81)
        << "a status with a wrong checksum";
    EXPECT_EQ(send(BuildFrame(CMD_WRITE_DATA, block)).at(0)[5], 0x81) << "corrupted once only";
}

TEST_F(RadioSide, HangupAfterCutsTheLineAtTheNextBytesAndHearsNothingMore) {
    RadioConfig config;
    config.faults.hangupAfter = 1;
    VirtualRadio cut(config, DefaultRadioImage(400, 440));
    const auto hs = Handshake(0, "KZP");
    cut.Receive(hs.data(), hs.size());
    EXPECT_EQ(cut.TakeDeliveries().size(), 1u);
    EXPECT_FALSE(cut.LineCut());
    const auto req = ReadRequest(1);
    cut.Receive(req.data(), 1);
    EXPECT_TRUE(cut.LineCut());
    cut.Receive(req.data() + 1, req.size() - 1);
    EXPECT_TRUE(cut.TakeDeliveries().empty());
    EXPECT_EQ(cut.ReceivedFrames().size(), 1u) << "the request never arrived";
}

}  // namespace
}  // namespace q36
