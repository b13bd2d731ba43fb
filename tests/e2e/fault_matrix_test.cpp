// Every way a radio or its cable misbehaves, one row each, through the real serial port component
// on a pseudo-terminal and a transfer host on a copy of the delivered store: what the user sees,
// which frames reached the radio after the fault, and that the store (for a read) or the radio
// (for a write) holds exactly the blocks accepted before it, nothing half-written and nothing lost.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include <stdlib.h>
#include <unistd.h>

#include "runner/transfer_runner.h"
#include "serial/queue_notice_receiver.h"
#include "serial/radio_link_settings.h"
#include "serial/tcomm.h"
#include "sim/loopback_link.h"
#include "store/band_reset.h"
#include "store/store_transfer_data.h"
#include "store_checks.h"
#include "support/memory_host.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "support/store_copy.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// After the transfer ended, late deliveries still get this long to do harm on a real line.
constexpr auto kSettle = 300ms;

enum class Direction { Read, Write };
// How a row ends: with a message, with a port that vanished (and its message), or, a fault of
// the program, with a transfer left waiting and no timer to end the wait.
enum class End { Message, Hangup, Waiting };

struct FaultRow {
    const char* name;
    Direction direction;
    std::vector<std::string> faults;  // as `q36cli radio --fault` takes them
    std::vector<std::string> messages;
    End end;
    const char* sent;            // the frames the radio received, as FrameSummary gives them
    Accepted accepted;           // read: what the store holds; write: what the radio holds
    uint32_t readInterval = 20;  // ms; the 100 ms rule only where a pause is under test
};

std::string Text(const TextPair& pair) {
    return std::string(pair.zh);
}

// Faults that only a real line can show: answers cut, joined or noisy as the line delivers them,
// and a line that goes away. The other rows run over the in-process link with a clock that
// moves to each deadline, in no time.
bool NeedsRealLine(const FaultRow& row) {
    for (const std::string& fault : row.faults) {
        for (const char* name :
             {"split=", "garbage-before=", "duplicate=", "hangup-after=", "cut-in="}) {
            if (fault.rfind(name, 0) == 0) return true;
        }
    }
    return false;
}

// A copy of the delivered store, reset to the band 400-440, in a folder of its own.
class StoreCopyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(copy_.Ok());
        storePath_ = copy_.Path();
        Connection connection;
        ASSERT_TRUE(connection.Open(storePath_).ok());
        ASSERT_TRUE(ResetBandDefaults(connection, settings_).ok());
    }

    RunSettings settings_;  // the 400-440 band with scan lists
    StoreCopy copy_;
    std::string storePath_;
};

class FaultMatrix : public StoreCopyTest, public ::testing::WithParamInterface<FaultRow> {};

TEST_F(StoreCopyTest, TheRadioDiffersFromTheResetStoreInEveryBlock) {
    // Otherwise a block that was not stored or written could pass for one that was.
    const StoreSnapshot store = ReadStore(storePath_);
    const RadioImage image = DistinctImage();
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        EXPECT_NE(
            EncodeChannelBlock(n, store.channels[std::size_t(n - 1)], 400, 440, LANGUAGE_CHINESE)
                .value(),
            image.Block(BLOCK_CHANNEL, n - 1))
            << n;
    }
    for (int j = 1; j <= SCAN_LIST_COUNT; ++j) {
        EXPECT_NE(EncodeScanBlock(j, store.scans[std::size_t(j - 1)]),
                  image.Block(BLOCK_SCAN, j - 1))
            << j;
    }
    EXPECT_NE(EncodeCommonBlock(store.page, true).value(), image.Block(BLOCK_COMMON, 0));
}

TEST_P(FaultMatrix, UserSeesTheFaultAndNothingIsHalfDone) {
    const FaultRow& row = GetParam();
    const StoreSnapshot before = ReadStore(storePath_);
    ASSERT_TRUE(before.error.empty()) << before.error;

    RadioConfig config;
    for (const std::string& fault : row.faults) {
        std::string error;
        ASSERT_TRUE(ParseFault(fault, config.faults, error)) << error;
    }
    const RadioImage original = DistinctImage();
    Connection connection;
    ASSERT_TRUE(connection.Open(storePath_).ok());
    StoreTransferData data(connection, LANGUAGE_CHINESE);
    ASSERT_TRUE(data.OpenQueries().ok());
    RecordingEffects effects;
    const SystemClock systemClock;
    ManualClock manualClock;
    const bool realLine = NeedsRealLine(row);
    TransferRunner runner(data, effects,
                          realLine ? static_cast<const q36::Clock&>(systemClock) : manualClock,
                          settings_);
    runner.GetTransfer().PortOpen = true;
    const auto start = [&] {
        if (row.direction == Direction::Read ? runner.PrepareRead() : runner.PrepareWrite()) {
            row.direction == Direction::Read ? runner.StartRead() : runner.StartWrite();
        }
    };

    End end = End::Message;
    std::vector<std::vector<uint8_t>> received;
    RadioImage written;
    if (realLine) {
        RadioOnPty served(original, config);
        ASSERT_TRUE(served.Start());
        QueueNoticeReceiver receiver;
        TComm comm(receiver);
        ApplyRadioLinkSettings(comm);
        comm.SetReadIntervalTimeout(row.readInterval);
        comm.SetCommName(served.Path());
        comm.OpenPort();
        effects.onSend = [&comm](const uint8_t* bytes, uint16_t length) {
            comm.SendData(bytes, length);
        };
        start();
        runner.RunOnPort(comm, receiver);
        const auto settled = Clock::now() + kSettle;
        runner.Serve(comm, receiver, [&] { return Clock::now() >= settled; });
        if (!comm.IsOpen()) end = End::Hangup;
        ClosePortDrained(comm);
        received = served.StoppedRadio().ReceivedFrames();
        written = served.StoppedImage();
    } else {
        VirtualRadio radio(config, original);
        LoopbackLink link(radio);
        effects.onSend = [&link](const uint8_t* bytes, uint16_t length) {
            link.Send(bytes, length);
        };
        start();
        runner.RunOnLink([&link](std::vector<uint8_t>& d) { return link.Next(d); }, manualClock);
        if (runner.Running()) end = End::Waiting;
        link.Pump([&runner](const uint8_t* d, uint16_t n) { runner.Deliver(d, n); });
        received = radio.ReceivedFrames();
        written = radio.Image();
    }

    EXPECT_EQ(effects.MessageTexts(), row.messages);
    EXPECT_EQ(end, row.end);
    EXPECT_EQ(FrameSummary(received), row.sent);
    EXPECT_FALSE(data.ParamQuery().InEditMode() || data.ChannelQuery().InEditMode() ||
                 data.ScanQuery().InEditMode())
        << "an edit was left pending";

    const StoreSnapshot after = ReadStore(storePath_);
    if (row.direction == Direction::Read) {
        ExpectReadStored(before, after, original, row.accepted);
    } else {
        ExpectWritten(before, after, original, written, row.accepted);
    }
}

const std::string kReadDone = Text(txt::MsgReadDone);
const std::string kReadFailed = Text(txt::MsgReadFailed);
const std::string kWriteDone = Text(txt::MsgWriteDone);
const std::string kTimeout = Text(txt::MsgResponseTimeout);
const std::string kNoAnswer = Text(txt::MsgNoAnswer);
const std::string kChecksum = Text(txt::MsgChecksumError);

constexpr Direction R = Direction::Read;
constexpr Direction W = Direction::Write;
constexpr const char* kFullRead = "HS RQ1 RQ2 ACKx24 RQ3 ACKx4";
constexpr const char* kFullWrite = "HS C CH1-24 SL1-5";

const FaultRow kRows[] = {
    {"ReadWithoutFault", R, {}, {kReadDone}, End::Message, kFullRead, kEverything},
    {"WriteWithoutFault", W, {}, {kWriteDone}, End::Message, kFullWrite, kEverything},
    // The radio refuses the handshake: its message, and nothing more is sent.
    {"ReadHandshakeStatus1",
     R,
     {"handshake-status=1"},
     {Text(txt::MsgModelMismatch)},
     End::Message,
     "HS",
     kNothing},
    {"ReadHandshakeStatus2",
     R,
     {"handshake-status=2"},
     {Text(txt::MsgWrongPassword)},
     End::Message,
     "HS",
     kNothing},
    {"ReadHandshakeStatus3", R, {"handshake-status=3"}, {kChecksum}, End::Message, "HS", kNothing},
    {"ReadHandshakeStatus4",
     R,
     {"handshake-status=4"},
     {Text(txt::MsgUnknownHandshake)},
     End::Message,
     "HS",
     kNothing},
    {"WriteHandshakeStatus2",
     W,
     {"handshake-status=2"},
     {Text(txt::MsgWrongPassword)},
     End::Message,
     "HS",
     kNothing},
    // Silence: after frames that start the response timer, the timeout; after the others the
    // silence limit ends the wait with the no-answer message.
    {"ReadNoAnswerToHandshake", R, {"silent-after=0"}, {kTimeout}, End::Message, "HS", kNothing},
    {"ReadSilentAfterHandshake",
     R,
     {"silent-after=1"},
     {kNoAnswer},
     End::Message,
     "HS RQ1",
     kNothing},
    {"ReadSilentAfterCommon",
     R,
     {"silent-after=2"},
     {kNoAnswer},
     End::Message,
     "HS RQ1 RQ2",
     {true, 0, 0}},
    {"ReadSilentAfterChannel12",
     R,
     {"silent-after=14"},
     {kNoAnswer},
     End::Message,
     "HS RQ1 RQ2 ACKx12",
     {true, 12, 0}},
    {"ReadSilentAfterScanList3",
     R,
     {"silent-after=29"},
     {kNoAnswer},
     End::Message,
     "HS RQ1 RQ2 ACKx24 RQ3 ACKx3",
     {true, 24, 3}},
    // A silent radio has kept the block it did not answer.
    {"WriteSilentAfterHandshake",
     W,
     {"silent-after=1"},
     {kNoAnswer},
     End::Message,
     "HS C",
     {true, 0, 0}},
    {"WriteSilentAfterCommon",
     W,
     {"silent-after=2"},
     {kNoAnswer},
     End::Message,
     "HS C CH1",
     {true, 1, 0}},
    {"WriteSilentAfterChannel12",
     W,
     {"silent-after=14"},
     {kNoAnswer},
     End::Message,
     "HS C CH1-13",
     {true, 13, 0}},
    {"WriteSilentAfterScanList3",
     W,
     {"silent-after=29"},
     {kTimeout},
     End::Message,
     "HS C CH1-24 SL1-4",
     {true, 24, 4}},
    // A damaged answer: a handshake reply is dropped and timed out, a data block refused.
    {"ReadCorruptHandshakeReply", R, {"corrupt=0:0"}, {kTimeout}, End::Message, "HS", kNothing},
    {"ReadCorruptCommon", R, {"corrupt=1:0"}, {kReadFailed}, End::Message, "HS RQ1 ST3", kNothing},
    {"ReadCorruptChannel5",
     R,
     {"corrupt=2:4"},
     {kReadFailed},
     End::Message,
     "HS RQ1 RQ2 ACKx4 ST3",
     {true, 4, 0}},
    {"ReadCorruptScanList2",
     R,
     {"corrupt=3:1"},
     {kReadFailed},
     End::Message,
     "HS RQ1 RQ2 ACKx24 RQ3 ACK ST3",
     {true, 24, 1}},
    // 150 ms between the halves is more than the 100 ms that ends a delivery: the first half is
    // refused, the second is no frame and is ignored.
    {"ReadChannel3SplitIn150ms",
     R,
     {"split=2:2"},
     {kReadFailed},
     End::Message,
     "HS RQ1 RQ2 ACKx2 ST3",
     {true, 2, 0},
     100},
    // A handshake reply cut in two: neither piece is an answer, the response timer ends the wait.
    {"ReadHandshakeReplySplitIn150ms", R, {"split=0:0"}, {kTimeout}, End::Message, "HS", kNothing},
    {"WriteHandshakeReplySplitIn150ms", W, {"split=0:0"}, {kTimeout}, End::Message, "HS", kNothing},
    // Noise ahead of a frame in the same delivery moves its command byte: the delivery is no
    // frame the program knows, and the silence limit ends the wait.
    {"ReadGarbageBeforeChannel6",
     R,
     {"garbage-before=2:5"},
     {kNoAnswer},
     End::Message,
     "HS RQ1 RQ2 ACKx5",
     {true, 5, 0}},
    {"WriteGarbageBeforeStatusOfChannel7",
     W,
     {"garbage-before=2:6"},
     {kNoAnswer},
     End::Message,
     "HS C CH1-7",
     {true, 7, 0}},
    // A frame sent twice in one burst: a data block fails the length test, a status is read by
    // its first bytes.
    {"ReadDuplicateChannel8",
     R,
     {"duplicate=2:7"},
     {kReadFailed},
     End::Message,
     "HS RQ1 RQ2 ACKx7 ST3",
     {true, 7, 0}},
    {"WriteDuplicateStatusOfChannel7",
     W,
     {"duplicate=2:6"},
     {kWriteDone},
     End::Message,
     kFullWrite,
     kEverything},
    {"WriteStatus3OnChannel7",
     W,
     {"write-status=2:6:3"},
     {kChecksum},
     End::Message,
     "HS C CH1-7",
     {true, 6, 0}},
    // The cable is pulled: the next frame never arrives, the port raises one hangup.
    {"ReadPortVanishesAfterChannel12",
     R,
     {"hangup-after=14"},
     {kNoAnswer},
     End::Hangup,
     "HS RQ1 RQ2 ACKx11",
     {true, 12, 0}},
    // Pulled in the middle of a frame: the piece that came is no answer to refuse.
    {"ReadCablePulledInChannel5",
     R,
     {"cut-in=2:4"},
     {kNoAnswer},
     End::Hangup,
     "HS RQ1 RQ2 ACKx4",
     {true, 4, 0},
     100},
    {"WritePortVanishesAfterChannel12",
     W,
     {"hangup-after=14"},
     {kNoAnswer},
     End::Hangup,
     "HS C CH1-12",
     {true, 12, 0}},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<FaultRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace q36::test
