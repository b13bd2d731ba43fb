#include <gtest/gtest.h>

#include <thread>

#include "comm_fixture.h"
#include "serial/radio_link_settings.h"

namespace q36::test {
namespace {

class TCommReceive : public ::testing::Test {
  protected:
    void Open(uint32_t readInterval) {
        ApplyRadioLinkSettings(c.comm);
        c.comm.SetReadIntervalTimeout(readInterval);
        c.comm.SetCommName(pty.SlavePath());
        c.comm.OpenPort();
        ASSERT_TRUE(c.RunUntil([&] { return c.sendEmpty == 1; }, 2s));
    }
    size_t DeliveredBytes() const { return c.Received().size(); }

    PtyPair pty;
    LoggedComm c;
};

TEST_F(TCommReceive, BurstArrivesInChunksOfAtMost2048EachEndingWithZero) {
    Open(100);
    const std::vector<uint8_t> burst = Pattern(5000, 1);
    pty.WriteMaster(burst);
    ASSERT_TRUE(c.RunUntil([&] { return DeliveredBytes() == burst.size(); }, 3s));
    ASSERT_EQ(c.deliveries.size(), 3u);
    EXPECT_EQ(c.deliveries[0].size(), 2048u);
    EXPECT_EQ(c.deliveries[1].size(), 2048u);
    EXPECT_EQ(c.deliveries[2].size(), 904u);
    EXPECT_TRUE(c.allTerminated);
    EXPECT_EQ(c.Received(), burst);
}

TEST_F(TCommReceive, OnlyAPauseLongerThanTheIntervalSplitsADelivery) {
    Open(100);
    c.RunFor(150ms);
    EXPECT_TRUE(c.deliveries.empty());  // nothing arriving posts nothing

    pty.WriteMaster(Pattern(10, 0));
    std::this_thread::sleep_for(30ms);
    pty.WriteMaster(Pattern(10, 10));
    ASSERT_TRUE(c.RunUntil([&] { return DeliveredBytes() == 20; }, 2s));
    ASSERT_EQ(c.deliveries.size(), 1u);

    pty.WriteMaster(Pattern(10, 20));
    std::this_thread::sleep_for(250ms);
    pty.WriteMaster(Pattern(10, 30));
    ASSERT_TRUE(c.RunUntil([&] { return DeliveredBytes() == 40; }, 2s));
    ASSERT_EQ(c.deliveries.size(), 3u);
    EXPECT_EQ(c.deliveries[1], Pattern(10, 20));
    EXPECT_EQ(c.deliveries[2], Pattern(10, 30));
    EXPECT_TRUE(c.allTerminated);
}

TEST_F(TCommReceive, TotalTimeoutCompletesReadsWithoutAPauseAndNeverEmpty) {
    // Without an interval rule only a full buffer or the total timeout ends a read. A change
    // made while open applies to the read already pending.
    Open(0);
    c.comm.SetReadTotalTimeoutConstant(60);
    pty.WriteMaster({0x42});
    ASSERT_TRUE(c.RunUntil([&] { return c.deliveries.size() == 1; }, 2s));
    c.RunFor(300ms);  // several empty requests run out meanwhile
    EXPECT_EQ(c.deliveries.size(), 1u);

    // A steady trickle with no pause is still cut by the total timeout.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        pty.WriteMaster({static_cast<uint8_t>(i)});
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(c.RunUntil([&] { return DeliveredBytes() == 21; }, 2s));
    EXPECT_GE(c.deliveries.size(), 3u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(TCommReceive, ClosingTheMasterPostsExactlyOneHangupAndNoReadItCutShort) {
    Open(100);
    pty.WriteMaster({7, 8, 9});
    std::this_thread::sleep_for(30ms);  // read by the reader, the idle time not yet over
    pty.CloseMaster();
    ASSERT_TRUE(c.RunUntil([&] { return c.hangups > 0; }, 2s));
    c.RunFor(300ms);
    EXPECT_EQ(c.hangups, 1);
    EXPECT_TRUE(c.Received().empty());  // a piece of a frame, not an answer to judge
    EXPECT_EQ(c.order, std::vector<std::string>({"empty", "hangup"}));

    // The writer keeps running until it meets the dead line itself; then it takes no more data.
    // Its own hangup notice raises no second event: the owner was told once.
    const uint8_t byte = 1;
    EXPECT_TRUE(c.comm.SendData(&byte, 1));
    ASSERT_TRUE(c.RunUntil([&] { return !c.comm.SendData(&byte, 1); }, 2s));
    c.RunFor(100ms);
    EXPECT_EQ(c.hangups, 1);
    EXPECT_TRUE(c.comm.IsOpen());
    c.comm.ClosePort();
    EXPECT_FALSE(c.comm.IsOpen());
}

TEST_F(TCommReceive, NoticesLeftFromAnEarlierOpeningAreNotTakenForTheNewOnes) {
    Open(20);
    // Read and posted, but not yet dispatched when the port is closed and opened again.
    pty.WriteMaster({1, 2, 3});
    std::this_thread::sleep_for(200ms);
    c.comm.ClosePort();
    c.comm.OpenPort();
    pty.WriteMaster({4, 5});
    ASSERT_TRUE(c.RunUntil([&] { return DeliveredBytes() >= 2; }, 2s));
    c.RunFor(100ms);
    EXPECT_EQ(c.Received(), std::vector<uint8_t>({4, 5}));
    EXPECT_EQ(c.sendEmpty, 2);
}

}  // namespace
}  // namespace q36::test
