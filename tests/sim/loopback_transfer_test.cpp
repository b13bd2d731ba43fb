#include <gtest/gtest.h>

#include "protocol/frame.h"
#include "support/radio_bench.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

struct WholeTransfer : ::testing::TestWithParam<bool> {
    RadioConfig Config() const {
        RadioConfig config;
        config.hasScanList = GetParam();
        return config;
    }
};

// A radio whose memory differs from every default: tones, powers, scan lists, a disabled channel.
RadioImage VariedImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    image.blocks[0] = DataBlock{1, 0, 1, 4, 3, 120, 0, 0, 0x07, 0x39, 0x30, 3, 0x0E, 30};
    for (int i = 0; i < 24; ++i) {
        DataBlock& b = image.Block(2, i);
        b[9] = uint8_t(0x01 | ((i % 4) << 4) | (i % 2 ? 0x02 : 0) | (i % 3 ? 0x08 : 0));
        b[10] = uint8_t(i * 3 % 50);
        b[11] = uint8_t(((i + 1) % 4) << 4 | (i % 3) << 2 | (i % 2 ? 0x02 : 0));
        b[12] = uint8_t(i * 2 % 50);
        b[13] = uint8_t(i % 9);
    }
    DataBlock& off = image.Block(2, 9);
    off = DataBlock{2, 9, 24};  // a disabled channel carries only its head
    for (int i = 0; i < 5; ++i) {
        DataBlock& b = image.Block(3, i);
        for (int s = 0; s < 16; ++s) b[3 + s] = s <= i * 3 ? uint8_t((s * 5 + i) % 24) : 0xFF;
    }
    return image;
}

TEST_P(WholeTransfer, ReadStoresTheRadioAndEndsWithTheDoneMessage) {
    RadioBench bench(Config(), VariedImage());
    bench.Read();
    ASSERT_EQ(bench.host.messages.size(), 1u) << bench.host.LastMessage();
    EXPECT_EQ(bench.host.messages[0].event, TransferEvent::ReadDone);
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgReadDone.zh);
    EXPECT_EQ(bench.transfer.FrameCount, GetParam() ? 31 : 26);
    EXPECT_EQ(bench.host.progressPosition, bench.host.progressMax);
    EXPECT_EQ(bench.host.progressMax, GetParam() ? 30 : 25);
    EXPECT_FALSE(bench.host.progressVisible);
    EXPECT_EQ(bench.host.firmwareStatus, Tr(txt::TxtFirmware, LANGUAGE_CHINESE) + " 1.0.3");
    EXPECT_EQ(bench.host.channels[0].REFREQUENCY, "400.0000");
    EXPECT_EQ(bench.host.channels[9].ENABLED, "False");
    EXPECT_EQ(bench.host.page.tot, "120");
    if (GetParam()) {
        EXPECT_EQ(bench.host.scans[4].slots[0], "CH05");
        EXPECT_EQ(bench.host.scans[0].slots[1], "NULL");
    } else {
        EXPECT_EQ(bench.host.scans[4].slots[0], "NULL");
    }
}

TEST_P(WholeTransfer, WritePutsTheHostRowsIntoTheRadio) {
    RadioBench bench(Config());
    bench.host.channels[6].FTX = "435.0125";
    bench.host.channels[6].FTONE = "DCS-";
    bench.host.channels[6].SDATA = "754";
    bench.host.scans[1].slots[0] = "CH03";
    bench.Write();
    ASSERT_EQ(bench.host.messages.size(), 1u) << bench.host.LastMessage();
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgWriteDone.zh);
    EXPECT_EQ(bench.transfer.FrameCount, GetParam() ? 31 : 26);
    EXPECT_EQ(bench.host.progressPosition, bench.host.progressMax);
    EXPECT_EQ(bench.transfer.Phase(), GetParam() ? WritePhase::Finished : WritePhase::ScanLists);

    // The radio now holds exactly what the host's rows encode to.
    EXPECT_EQ(bench.radio.Image().blocks[0],
              EncodeCommonBlock(bench.host.page, GetParam()).value());
    for (int n = 1; n <= 24; ++n) {
        EXPECT_EQ(bench.radio.Image().Block(2, n - 1),
                  EncodeChannelBlock(n, bench.host.channels[std::size_t(n - 1)], 400, 440,
                                     LANGUAGE_CHINESE)
                      .value())
            << "channel " << n;
    }
    const RadioImage untouched = DefaultRadioImage(400, 440);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bench.radio.Image().Block(3, i),
                  GetParam() ? EncodeScanBlock(i + 1, bench.host.scans[std::size_t(i)])
                             : untouched.Block(3, i));
    }
}

TEST_P(WholeTransfer, AnImageWrittenReadBackAndWrittenAgainIsUnchanged) {
    // The program writes its rows into a first radio...
    RadioBench first(Config(), VariedImage());
    first.Read();
    first.host.messages.clear();
    first.Write();
    ASSERT_EQ(first.host.messages.size(), 1u) << first.host.LastMessage();
    const RadioImage written = first.radio.Image();

    // ...a fresh program reads it back and writes it into a second radio.
    RadioBench second(Config(), written);
    second.Read();
    RadioBench third(Config());
    third.host.channels = second.host.channels;
    third.host.scans = second.host.scans;
    third.host.page = second.host.page;
    third.Write();
    ASSERT_EQ(third.host.messages.size(), 1u) << third.host.LastMessage();
    if (GetParam()) {
        EXPECT_EQ(third.radio.Image(), written);
    } else {
        for (int slot = 0; slot < 25; ++slot)
            EXPECT_EQ(third.radio.Image().blocks[std::size_t(slot)],
                      written.blocks[std::size_t(slot)]);
    }
}

INSTANTIATE_TEST_SUITE_P(ScanListVariants, WholeTransfer, ::testing::Bool(), [](const auto& info) {
    return info.param ? "WithScanLists" : "WithoutScanLists";
});

struct FaultyRadio : ::testing::Test {};

TEST_F(FaultyRadio, HandshakeStatusShowsItsMessageAndNothingMoreIsSent) {
    const TextPair* expected[] = {&txt::MsgModelMismatch, &txt::MsgWrongPassword,
                                  &txt::MsgChecksumError, &txt::MsgUnknownHandshake};
    for (int status = 1; status <= 4; ++status) {
        RadioConfig config;
        config.faults.handshakeStatus = status;
        RadioBench bench(config);
        bench.Read();
        ASSERT_EQ(bench.host.messages.size(), 1u);
        EXPECT_EQ(bench.host.messages[0].event, TransferEvent::Refused);
        EXPECT_EQ(bench.host.LastMessage(), expected[status - 1]->zh);
        EXPECT_EQ(bench.radio.ReceivedFrames().size(), 1u) << "status " << status;
        EXPECT_FALSE(bench.host.timerRunning);
    }
}

TEST_F(FaultyRadio, WrongPasswordAndBandComeFromTheRadioItself) {
    RadioBench bench;
    bench.transfer.Password = "ABC";
    bench.Write();
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgWrongPassword.zh);
    RadioBench other;
    other.settings.BandIndex = 4;
    other.Read();
    EXPECT_EQ(other.host.LastMessage(), txt::MsgModelMismatch.zh);
}

TEST_F(FaultyRadio, CorruptedReadBlockIsRejectedWithStatusThree) {
    RadioConfig config;
    config.faults.corrupt.push_back({2, 4});
    RadioBench bench(config);
    bench.Read();
    ASSERT_EQ(bench.host.messages.size(), 1u);
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgReadFailed.zh);
    const std::vector<uint8_t> reject{0xC4, 0xD7, 0x80, 0x01, 0x03, 0x82, 0x04, 0x04, 0x04};
    EXPECT_EQ(bench.radio.ReceivedFrames().back(), reject);
    // The reset to 0 is followed at once by the count of deliveries, as after every delivery.
    EXPECT_EQ(bench.host.progressPosition, bench.transfer.FrameCount);
    EXPECT_TRUE(bench.host.progressVisible);
    // Channels before the damaged one are stored, the damaged one and later ones are not.
    EXPECT_EQ(bench.host.channels[3].REFREQUENCY, "403.0000");
    EXPECT_EQ(bench.host.channels[4].REFREQUENCY, "440");
}

TEST_F(FaultyRadio, SilenceAfterTheHandshakeTimesOutAndALateAnswerStillContinues) {
    RadioBench bench;
    ReadCommand(bench.transfer, bench.host);
    EXPECT_TRUE(bench.host.timerRunning);
    ASSERT_EQ(bench.link.Pending(), 1u);  // the answer is late: the timer fires first
    bench.transfer.ResponseTimeout();
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgResponseTimeout.zh);
    EXPECT_FALSE(bench.host.progressVisible);
    bench.Pump();
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgReadDone.zh);
}

TEST_F(FaultyRadio, SilenceAfterAChannelBlockLeavesTheWriteWaitingWithoutMessage) {
    RadioConfig config;
    config.faults.silentAfter = 5;  // reply, common, channels 1..3 acknowledged
    RadioBench bench(config);
    bench.Write();
    EXPECT_TRUE(bench.host.messages.empty());
    EXPECT_FALSE(bench.host.timerRunning);
    EXPECT_EQ(bench.transfer.NextChannel, 5);
}

TEST_F(FaultyRadio, SplitReadBlockFailsItsCheckAndIsRejected) {
    RadioConfig config;
    config.faults.split.push_back({1, 0});
    RadioBench bench(config);
    bench.Read();
    EXPECT_EQ(bench.host.messages.at(0).text, txt::MsgReadFailed.zh);
}

TEST_F(FaultyRadio, WriteStatusOnAChannelStopsTheWriteThere) {
    RadioConfig config;
    config.faults.writeStatus.push_back({{2, 6}, 3});
    RadioBench bench(config);
    bench.Write();
    ASSERT_EQ(bench.host.messages.size(), 1u);
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgChecksumError.zh);
    EXPECT_EQ(bench.radio.ReceivedFrames().size(), 9u);  // handshake, common, channels 1..7
}

TEST_F(FaultyRadio, StatusZeroInPlaceOfTheReplyStartsTheFirstWrite) {
    RadioConfig config;
    config.faults.handshakeStatus = 0;
    RadioBench bench(config);
    bench.Write();
    EXPECT_EQ(bench.host.LastMessage(), txt::MsgWriteDone.zh);
    // A second write after a finished one waits at the handshake: phase 3 takes no step.
    bench.host.messages.clear();
    bench.Write();
    EXPECT_TRUE(bench.host.messages.empty());
    EXPECT_EQ(bench.radio.ReceivedFrames().back().at(2), CMD_HANDSHAKE);
}

}  // namespace
}  // namespace q36::test
