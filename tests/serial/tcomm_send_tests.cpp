#include <gtest/gtest.h>
#include <termios.h>

#include <thread>

#include "comm_fixture.h"
#include "serial/radio_link_settings.h"

namespace q36::test {
namespace {

class TCommSend : public ::testing::Test {
  protected:
    void SetUp() override {
        ApplyRadioLinkSettings(c.comm);
        c.comm.SetCommName(pty.SlavePath());
        c.comm.OpenPort();
    }

    PtyPair pty;
    LoggedComm c;
};

TEST_F(TCommSend, SendDataEmptyFollowsOpenAndThenEachBurstOnce) {
    ASSERT_TRUE(c.RunUntil([&] { return c.sendEmpty == 1; }, 2s));
    c.RunFor(50ms);
    EXPECT_EQ(c.sendEmpty, 1);

    // Output held, as by a flow stop, so that the second block is queued while the first is
    // still being written.
    ASSERT_EQ(::tcflow(pty.Slave(), TCOOFF), 0);
    const std::vector<uint8_t> first = Pattern(3000, 0);
    const std::vector<uint8_t> second = Pattern(700, 77);
    ASSERT_TRUE(c.comm.SendData(first.data(), static_cast<uint16_t>(first.size())));
    c.RunFor(50ms);  // the writer is now inside the first block
    ASSERT_TRUE(c.comm.SendData(second.data(), static_cast<uint16_t>(second.size())));
    c.RunFor(50ms);
    EXPECT_EQ(c.sendEmpty, 1);
    ASSERT_EQ(::tcflow(pty.Slave(), TCOON), 0);

    std::vector<uint8_t> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(pty.ReadMaster(expected.size(), 2s), expected);
    ASSERT_TRUE(c.RunUntil([&] { return c.sendEmpty == 2; }, 2s));
    c.RunFor(50ms);
    EXPECT_EQ(c.sendEmpty, 2);
}

TEST_F(TCommSend, ClosePortAbandonsAStuckWriteAtOnceWithoutHangup) {
    ASSERT_TRUE(c.RunUntil([&] { return c.sendEmpty == 1; }, 2s));
    // Nobody reads the master: more than any pty buffers hold.
    const std::vector<uint8_t> block = Pattern(65535, 3);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(c.comm.SendData(block.data(), static_cast<uint16_t>(block.size())));
    }
    c.RunFor(100ms);
    EXPECT_EQ(c.sendEmpty, 1);  // still writing

    // A drain gives up at its bound and leaves the rest to the purge.
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(c.comm.Drain(200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 400ms);
    start = std::chrono::steady_clock::now();
    c.comm.ClosePort();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(c.comm.IsOpen());
    c.RunFor(50ms);
    EXPECT_EQ(c.hangups, 0);
    EXPECT_EQ(c.sendEmpty, 1);
}

TEST_F(TCommSend, DrainBeforeClosingPutsEveryQueuedBlockOnTheLine) {
    // Sent one byte a block, as frames are; the master reads only after the port is closed.
    const std::vector<uint8_t> frame = Pattern(9, 40);
    for (uint8_t byte : frame) ASSERT_TRUE(c.comm.SendData(&byte, 1));
    ASSERT_TRUE(c.comm.Drain());
    c.comm.ClosePort();
    EXPECT_EQ(pty.ReadMaster(frame.size(), 1s), frame);
}

}  // namespace
}  // namespace q36::test
