#include <optional>

#include "protocol/run_settings.h"
#include "text/language.h"
#include "text/text_pairs.h"
#include "transfer_fixture.h"

namespace q36::test {
namespace {

Bytes ReadRequest(uint8_t blockType) {
    const uint8_t payload[1] = {blockType};
    return BuildFrame(CMD_READ_REQUEST, payload);
}

// Command byte, block type and block index of a sent data frame.
struct BlockId {
    uint8_t command, type, index;
    bool operator==(const BlockId&) const = default;
};
BlockId IdOf(const Bytes& frame) {
    return frame.size() == 43 ? BlockId{frame[2], frame[4], frame[5]} : BlockId{frame[2], 0, 0};
}
std::ostream& operator<<(std::ostream& out, const BlockId& id) {
    return out << "cmd " << int(id.command) << " type " << int(id.type) << " index "
               << int(id.index);
}

using DispatchTest = TransferTest;

TEST_F(DispatchTest, CommandsAskTheUserAndSendTheHandshakeOneBytePerWrite) {
    std::vector<uint16_t> writes;
    host.onSend = [&writes](const uint8_t*, uint16_t length) { writes.push_back(length); };
    settings.BandIndex = 4;
    transfer.Password = "ABCD";
    transfer.PortOpen = true;

    WriteCommand(transfer, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], txt::MsgConfirmWrite.zh);
    const uint8_t handshake[] = {4, 'A', 'B', 'C', 0x18};
    EXPECT_EQ(host.sent, BuildFrame(CMD_HANDSHAKE, handshake));
    EXPECT_EQ(writes, std::vector<uint16_t>(13, 1));
    EXPECT_EQ(transfer.Mode(), TransferMode::Write);
    EXPECT_TRUE(host.timerRunning);

    host.sent.clear();
    ReadCommand(transfer, host);
    EXPECT_EQ(host.questions.back(), txt::MsgConfirmRead.zh);
    EXPECT_EQ(host.sent, BuildFrame(CMD_HANDSHAKE, handshake));
    EXPECT_EQ(transfer.Mode(), TransferMode::Read);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DispatchTest, CommandsWithoutPortOrConsentSendNothing) {
    host.progressPosition = 9;
    WriteCommand(transfer, host);
    ReadCommand(transfer, host);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::PortNotOpen);
    EXPECT_EQ(host.messages[1].text, txt::MsgOpenPortFirst.zh);
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_EQ(host.progressMax, 30);
    EXPECT_TRUE(host.questions.empty());

    transfer.PortOpen = true;
    host.answerYes = false;
    host.messages.clear();
    WriteCommand(transfer, host);
    ReadCommand(transfer, host);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.sent.empty());
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(transfer.Mode(), TransferMode::Idle);
}

TEST_F(DispatchTest, WriteStopsWhenPendingEditsCannotBePosted) {
    transfer.PortOpen = true;
    host.failCommit = true;
    WriteCommand(transfer, host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE) + "\r\ncommit refused");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(DispatchTest, WriteRestartsCountersButNotThePhase) {
    StartWrite();
    Deliver(HandshakeReply(1, 0, 3));
    for (int block = 0; block < 30; ++block) Deliver(Status(ST_OK));
    ASSERT_EQ(host.messages.size(), 1u);
    ASSERT_EQ(transfer.NextChannel, 25);
    ASSERT_EQ(transfer.NextScanBlock, 6);
    ASSERT_EQ(transfer.FrameCount, 31);
    StartWrite();
    EXPECT_EQ(transfer.NextChannel, 1);
    EXPECT_EQ(transfer.NextScanBlock, 1);
    EXPECT_EQ(transfer.FrameCount, 0);
    EXPECT_EQ(transfer.Phase(), WritePhase::Finished);
}

TEST_F(DispatchTest, HandshakeReplyShowsFirmwareAndContinuesByMode) {
    // Idle, a read, and a write after a finished one.
    for (int mode : {0, 1, 2}) {
        if (mode == 1) StartRead();
        if (mode == 2) {
            StartWrite();
            Deliver(HandshakeReply(1, 0, 3));
            for (int block = 0; block < 30; ++block) Deliver(Status(ST_OK));
            ASSERT_EQ(transfer.Phase(), WritePhase::Finished);
            StartWrite();
        }
        host.sent.clear();
        host.firmwareStatus.clear();
        host.progressVisible = false;
        transfer.DispatchFrame(HandshakeReply(1, 2, 3));
        EXPECT_EQ(host.firmwareStatus, Tr(txt::TxtFirmware, LANGUAGE_CHINESE) + " 1.2.3") << mode;
        EXPECT_TRUE(host.progressVisible) << mode;
        const auto frames = TakeSentFrames();
        if (mode == 0) {
            EXPECT_TRUE(frames.empty());
        } else if (mode == 1) {
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_EQ(frames[0], ReadRequest(BLOCK_COMMON));
        } else {
            // A reply always restarts a write at the common block, whatever phase it was in.
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_EQ(IdOf(frames[0]), (BlockId{CMD_WRITE_DATA, BLOCK_COMMON, 0}));
            EXPECT_EQ(transfer.Phase(), WritePhase::Channels);
        }
    }
    settings.LanguageIndex = 1;
    transfer.DispatchFrame(HandshakeReply(10, 0, 255));
    EXPECT_EQ(host.firmwareStatus, Tr(txt::TxtFirmware, LANGUAGE_ENGLISH) + " 10.0.255");
}

TEST_F(DispatchTest, BadHandshakeReplyIsDroppedAndTheTimerRunsAgain) {
    StartRead();
    Bytes reply = HandshakeReply(1, 0, 3);
    reply[5] ^= 0xFF;
    Deliver(reply);
    Deliver(Bytes(reply.begin(), reply.begin() + 18));  // too short to hold its checksum
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.firmwareStatus.empty());
    EXPECT_FALSE(host.progressVisible);
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(host.timerStarts, 3);

    transfer.ResponseTimeout();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::Timeout);
    EXPECT_EQ(host.messages[0].text, txt::MsgResponseTimeout.zh);
}

TEST_F(DispatchTest, TimeoutShowsItsMessageAndALateAnswerStillContinues) {
    StartRead();
    host.progressVisible = true;
    transfer.ResponseTimeout();
    EXPECT_EQ(host.LastMessage(), txt::MsgResponseTimeout.zh);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(transfer.Mode(), TransferMode::Idle);  // ended, its late answers still read ones
    EXPECT_EQ(transfer.LastMode(), TransferMode::Read);

    Deliver(HandshakeReply(1, 0, 3));
    EXPECT_EQ(host.sent, ReadRequest(BLOCK_COMMON));
    EXPECT_TRUE(host.progressVisible);
    EXPECT_EQ(transfer.Mode(), TransferMode::Read);  // taken up again

    settings.LanguageIndex = 1;
    transfer.ResponseTimeout();
    EXPECT_EQ(host.LastMessage(), txt::MsgResponseTimeout.en);
}

TEST_F(DispatchTest, RadioRefusalsShowTheirMessageAndSendNothing) {
    struct RefusalCase {
        uint8_t code;
        const TextPair* text;
    };
    const RefusalCase cases[] = {
        {ST_MODEL_MISMATCH, &txt::MsgModelMismatch},
        {ST_BAD_PASSWORD, &txt::MsgWrongPassword},
        {ST_CHECKSUM_ERROR, &txt::MsgChecksumError},
        {ST_UNKNOWN_COMMAND, &txt::MsgUnknownHandshake},
    };
    for (int language : {0, 1}) {
        settings.LanguageIndex = language;
        for (const RefusalCase& c : cases) {
            host.messages.clear();
            StartWrite();
            host.progressVisible = true;
            Deliver(Status(c.code));
            ASSERT_EQ(host.messages.size(), 1u) << int(c.code);
            EXPECT_EQ(host.messages[0].event, TransferEvent::Refused);
            EXPECT_EQ(host.messages[0].text, Tr(*c.text, language));
            EXPECT_TRUE(host.sent.empty()) << int(c.code);
            EXPECT_FALSE(host.timerRunning);
            EXPECT_TRUE(host.progressVisible);
            EXPECT_EQ(transfer.Phase(), WritePhase::Common);
        }
    }
    host.messages.clear();
    Deliver(Status(5));
    Deliver(Status(0xFF));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(DispatchTest, StatusZeroInPlaceOfTheReplyStartsTheTransfer) {
    StartRead();
    Deliver(Status(ST_OK));
    EXPECT_EQ(host.sent, ReadRequest(BLOCK_COMMON));

    host.sent.clear();
    StartWrite();
    Deliver(Status(ST_OK));
    const auto frames = TakeSentFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(IdOf(frames[0]), (BlockId{CMD_WRITE_DATA, BLOCK_COMMON, 0}));

    // A write command the user said no to leaves no mode to continue.
    host.answerYes = false;
    host.sent.clear();
    WriteCommand(transfer, host);
    Deliver(Status(ST_OK));
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(DispatchTest, StatusIsTakenFromTheFirstBytesOfADelivery) {
    StartRead();
    Bytes two = Status(ST_OK);
    const Bytes second = Status(ST_BAD_PASSWORD);
    two.insert(two.end(), second.begin(), second.end());
    Deliver(two);
    EXPECT_EQ(host.sent, ReadRequest(BLOCK_COMMON));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DispatchTest, DeliveriesThatAreNoAnswerKeepTheTimerRunningAndAdvanceProgress) {
    StartRead();
    ASSERT_TRUE(host.timerRunning);
    const uint8_t payload[2] = {1, 2};
    Deliver(BuildFrame(0x95, payload));
    const uint8_t oddStatus[1] = {9};
    Deliver(BuildFrame(CMD_STATUS, oddStatus));
    Deliver({0xC4, 0xD7});
    EXPECT_TRUE(host.timerRunning);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(transfer.FrameCount, 3);
    EXPECT_EQ(host.progressPosition, 3);
    EXPECT_EQ(transfer.Mode(), TransferMode::Read);

    const uint8_t nothing = 0;
    transfer.Receive(&nothing, 0);
    EXPECT_EQ(transfer.FrameCount, 3);
    EXPECT_TRUE(host.timerRunning);

    // Once the transfer waits without a timer, noise does not start one, nor does a damaged
    // handshake reply.
    Deliver(HandshakeReply(1, 0, 3));
    ASSERT_FALSE(host.timerRunning);
    Deliver(BuildFrame(0x95, payload));
    Bytes damaged = HandshakeReply(1, 0, 3);
    damaged[5] ^= 0xFF;
    Deliver(damaged);
    EXPECT_FALSE(host.timerRunning);
}

TEST_F(DispatchTest, HandshakeReplyCutInTwoStillEndsInATimeout) {
    // The line delivered the reply in two pieces: the first fails its check, the second is no
    // frame at all. The wait must still end.
    StartRead();
    const Bytes reply = HandshakeReply(1, 0, 3);
    Deliver(Bytes(reply.begin(), reply.begin() + 9));
    Deliver(Bytes(reply.begin() + 9, reply.end()));
    EXPECT_TRUE(host.timerRunning);
    EXPECT_TRUE(host.sent.empty());
    transfer.ResponseTimeout();
    EXPECT_EQ(host.LastMessage(), txt::MsgResponseTimeout.zh);
}

TEST_F(DispatchTest, LostPortEndsARunningTransferWithNoAnswer) {
    StartRead();
    host.progressVisible = true;
    host.progressPosition = 7;
    transfer.PortLost();
    EXPECT_FALSE(transfer.PortOpen);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.progressPosition, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::NoAnswer);
    EXPECT_EQ(host.messages[0].text, txt::MsgNoAnswer.zh);

    // The commands now ask for a port instead of sending into nothing.
    host.sent.clear();
    ReadCommand(transfer, host);
    WriteCommand(transfer, host);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.LastMessage(), txt::MsgOpenPortFirst.zh);
}

TEST_F(DispatchTest, LostPortBetweenTransfersOnlyClosesIt) {
    transfer.PortOpen = true;
    transfer.PortLost();
    EXPECT_FALSE(transfer.PortOpen);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DispatchTest, DeliveriesShorterThanTheirCommandAreDropped) {
    StartWrite();
    Deliver({0xC4, 0xD7, 0x80, 0x01});  // a status without its code
    Deliver({0xC4, 0xD7, 0x93, 0x23});  // a data block without its type
    Deliver({0xC4, 0xD7});
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(transfer.FrameCount, 3);
    EXPECT_EQ(transfer.Phase(), WritePhase::Common);
}

TEST_F(DispatchTest, TruncatedReadBlockIsRejectedWithoutReadingPastItsEnd) {
    const Bytes full = ReadData(EncodeScanBlock(1, host.scans[0]));
    for (std::size_t length = 5; length < 40; ++length) {
        host.sent.clear();
        host.messages.clear();
        transfer.DispatchFrame(std::span(full).first(length));
        EXPECT_EQ(host.sent, (Bytes{0xC4, 0xD7, 0x80, 0x01, 0x03, 0x82, 0x04, 0x04, 0x04}))
            << length;
        EXPECT_EQ(host.LastMessage(), txt::MsgReadFailed.zh) << length;
    }
}

TEST_F(DispatchTest, ReadBlockOfUnknownTypeIsIgnored) {
    DataBlock payload{4, 0, 1};
    Deliver(ReadData(payload));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.messages.empty());
}

struct StepCase {
    const char* name;
    int acknowledged;  // status 0 answers since the handshake, the last one the step's own
    bool hasScanList;
    std::optional<BlockId> sent;
    bool done;
    WritePhase phaseAfter;
    int nextChannelAfter, nextScanAfter;
    bool timerStarted;
};

TEST_F(DispatchTest, StatusZeroTakesTheNextWriteStep) {
    using P = WritePhase;
    const BlockId common{CMD_WRITE_DATA, BLOCK_COMMON, 0};
    const StepCase cases[] = {
        {"common block", 0, true, common, false, P::Channels, 1, 1, false},
        {"first channel", 1, true, BlockId{CMD_WRITE_DATA, BLOCK_CHANNEL, 0}, false, P::Channels, 2,
         1, false},
        {"last channel", 24, true, BlockId{CMD_WRITE_DATA, BLOCK_CHANNEL, 23}, false, P::ScanLists,
         25, 1, false},
        {"first scan list", 25, true, BlockId{CMD_WRITE_DATA, BLOCK_SCAN, 0}, false, P::ScanLists,
         25, 2, true},
        {"last scan list", 29, true, BlockId{CMD_WRITE_DATA, BLOCK_SCAN, 4}, false, P::ScanLists,
         25, 6, true},
        {"no scan lists", 25, false, std::nullopt, true, P::ScanLists, 25, 6, false},
        {"scan lists sent", 30, true, std::nullopt, true, P::Finished, 25, 6, false},
        {"finished", 31, true, std::nullopt, false, P::Finished, 25, 6, false},
    };
    for (const StepCase& c : cases) {
        settings.HasScanList = c.hasScanList;
        MemoryHost h;
        Transfer t(h, h, h, settings);
        t.PortOpen = true;
        WriteCommand(t, h);
        for (int k = 0; k < c.acknowledged; ++k) t.DispatchFrame(Status(ST_OK));
        h.sent.clear();
        h.messages.clear();
        h.timerStarts = 0;
        h.progressVisible = true;
        t.DispatchFrame(Status(ST_OK));

        if (c.sent) {
            ASSERT_EQ(h.sent.size(), 43u) << c.name;
            EXPECT_EQ(IdOf(h.sent), *c.sent) << c.name;
        } else {
            EXPECT_TRUE(h.sent.empty()) << c.name;
        }
        if (c.done) {
            ASSERT_EQ(h.messages.size(), 1u) << c.name;
            EXPECT_EQ(h.messages[0].event, TransferEvent::WriteDone);
            EXPECT_EQ(h.messages[0].text, txt::MsgWriteDone.zh);
            EXPECT_FALSE(h.progressVisible) << c.name;
            EXPECT_EQ(t.Mode(), TransferMode::Idle) << c.name;
        } else {
            EXPECT_TRUE(h.messages.empty()) << c.name << ": " << h.LastMessage();
        }
        EXPECT_EQ(t.Phase(), c.phaseAfter) << c.name;
        EXPECT_EQ(t.NextChannel, c.nextChannelAfter) << c.name;
        EXPECT_EQ(t.NextScanBlock, c.nextScanAfter) << c.name;
        EXPECT_EQ(h.timerStarts, c.timerStarted ? 1 : 0) << c.name;
    }
}

TEST_F(DispatchTest, WriteWithScanListsSendsEveryBlockAfterEachAcknowledgement) {
    StartWrite();
    std::vector<BlockId> expected{{CMD_WRITE_DATA, BLOCK_COMMON, 0}};
    for (uint8_t i = 0; i < 24; ++i) expected.push_back({CMD_WRITE_DATA, BLOCK_CHANNEL, i});
    for (uint8_t i = 0; i < 5; ++i) expected.push_back({CMD_WRITE_DATA, BLOCK_SCAN, i});

    std::vector<BlockId> received;
    Deliver(HandshakeReply(1, 0, 3));
    while (host.messages.empty() && received.size() <= expected.size()) {
        const auto frames = TakeSentFrames();
        ASSERT_EQ(frames.size(), 1u) << "after " << received.size() << " blocks";
        ASSERT_TRUE(CheckReceivedFrame(frames[0], 35));
        received.push_back(IdOf(frames[0]));
        Deliver(Status(ST_OK));
    }
    EXPECT_EQ(received, expected);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::WriteDone);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(transfer.Phase(), WritePhase::Finished);
    EXPECT_EQ(transfer.FrameCount, 31);
    EXPECT_EQ(host.progressMax, 30);
    EXPECT_EQ(host.progressPosition, 30);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.timerStarts, 1 + 5);  // the handshake and each scan list

    // A second write starts over at the common block when the radio replies.
    host.messages.clear();
    StartWrite();
    Deliver(HandshakeReply(1, 0, 3));
    auto frames = TakeSentFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(IdOf(frames[0]), (BlockId{CMD_WRITE_DATA, BLOCK_COMMON, 0}));
    Deliver(Status(ST_OK));
    frames = TakeSentFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(IdOf(frames[0]), (BlockId{CMD_WRITE_DATA, BLOCK_CHANNEL, 0}));
}

TEST_F(DispatchTest, WriteWithoutScanListsEndsAfterChannel24) {
    UseVariantWithoutScanLists();
    StartWrite();
    Deliver(HandshakeReply(1, 0, 3));
    int blocks = 0;
    while (host.messages.empty() && blocks < 40) {
        const auto frames = TakeSentFrames();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_NE(IdOf(frames[0]).type, BLOCK_SCAN);
        ++blocks;
        Deliver(Status(ST_OK));
    }
    EXPECT_EQ(blocks, 25);
    EXPECT_EQ(host.LastMessage(), txt::MsgWriteDone.zh);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(transfer.FrameCount, 26);
    EXPECT_EQ(host.progressMax, 25);
    EXPECT_EQ(host.progressPosition, 25);
    EXPECT_EQ(host.timerStarts, 1);
}

TEST_F(DispatchTest, SilenceAfterAFrameThatStartsNoTimerEndsWithNoAnswer) {
    StartWrite();
    EXPECT_FALSE(host.silenceRunning);  // the response timer watches the handshake
    Deliver(HandshakeReply(1, 0, 3));
    Deliver(Status(ST_OK));
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(host.timerStarts, 1);
    ASSERT_TRUE(host.silenceRunning);
    host.progressVisible = true;
    transfer.SilenceTimeout();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].event, TransferEvent::NoAnswer);
    EXPECT_EQ(host.messages[0].text, Tr(txt::MsgNoAnswer, LANGUAGE_CHINESE));
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.progressPosition, 0);
    EXPECT_FALSE(host.silenceRunning);

    // A late answer still takes the next step, and the wait for its answer is watched again.
    host.sent.clear();
    Deliver(Status(ST_OK));
    EXPECT_FALSE(host.sent.empty());
    EXPECT_TRUE(host.silenceRunning);
    transfer.PortLost();
    EXPECT_FALSE(host.silenceRunning);
    EXPECT_EQ(host.messages.size(), 2u);  // it was waiting, so the lost port ends it
}

}  // namespace
}  // namespace q36::test
