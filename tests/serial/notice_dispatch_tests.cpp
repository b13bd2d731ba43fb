#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "serial/line_events.h"
#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"

namespace q36::test {
namespace {

using namespace std::chrono_literals;

Notice Make(uint32_t code, uintptr_t lParam = 0, std::vector<uint8_t> block = {},
            uint32_t wParam = 0) {
    Notice n;
    n.code = code;
    n.wParam = wParam;
    n.lParam = lParam;
    n.block = std::move(block);
    return n;
}

class NoticeDispatch : public ::testing::Test {
  protected:
    void SetUp() override {
        comm.OnReceiveData = [this](TComm& sender, const uint8_t* buffer, uint16_t length) {
            EXPECT_EQ(&sender, &comm);
            log += "data:" + std::string(buffer, buffer + length) + "|" +
                   std::to_string(buffer[length]) + " ";
        };
        comm.OnReceiveError = [this](TComm&, uint32_t mask) {
            log += "error:" + std::to_string(mask) + " ";
        };
        comm.OnModemStateChange = [this](TComm&, uint32_t value) {
            log += "modem:" + std::to_string(value) + " ";
        };
        comm.OnRequestHangup = [this](TComm&) { log += "hangup "; };
        comm.OnSendDataEmpty = [this](TComm&) { log += "empty "; };
    }

    QueueNoticeReceiver queue;
    TComm comm{queue};
    std::string log;
};

TEST_F(NoticeDispatch, EachCodeRaisesItsEventInPostingOrder) {
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveData, 0, {'a', 'b', 0}, 2)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveError, CommErrorFrame | CommErrorBreak)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeModemState, ModemRing | ModemCarrier)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeHangup)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeSendEmpty)));
    ASSERT_TRUE(queue.PostNotice(Make(1024)));  // not one of ours
    EXPECT_EQ(queue.DispatchPending(comm), 6u);
    EXPECT_EQ(log, "data:ab|0 error:24 modem:12 hangup empty ");
}

TEST_F(NoticeDispatch, ReceiveNoticeIsNeverReadBeyondItsBlockNorRaisedEmpty) {
    comm.DispatchNotice(Make(NoticeReceiveData, 0, {'x', 'y'}, 2000));    // count beyond block
    comm.DispatchNotice(Make(NoticeReceiveData, 0, {'p', 'q', 'r'}, 1));  // no 0 after count
    comm.DispatchNotice(Make(NoticeReceiveData, 0, {0}, 0));
    comm.DispatchNotice(Make(NoticeReceiveData, 0, {}, 5));
    EXPECT_EQ(log, "data:x|0 data:p|0 ");
}

TEST_F(NoticeDispatch, UnassignedOrSelfReplacingHandlersAreSafe) {
    comm.OnSendDataEmpty = nullptr;
    comm.DispatchNotice(Make(NoticeSendEmpty));
    comm.OnRequestHangup = [this](TComm& sender) {
        sender.OnRequestHangup = nullptr;  // destroys the handler that is running
        log += "once ";
    };
    comm.DispatchNotice(Make(NoticeHangup));
    comm.DispatchNotice(Make(NoticeHangup));
    EXPECT_EQ(log, "once ");
}

TEST(QueueNoticeReceiver, RefusesWhenFullAndWakesAWaitingLoop) {
    QueueNoticeReceiver queue(2);
    TComm comm(queue);
    EXPECT_TRUE(queue.PostNotice(Notice{NoticeSendEmpty, 0, 0, {}}));
    EXPECT_TRUE(queue.PostNotice(Notice{NoticeSendEmpty, 0, 0, {}}));
    EXPECT_FALSE(queue.PostNotice(Notice{NoticeSendEmpty, 0, 0, {}}));
    EXPECT_EQ(queue.WaitAndDispatch(comm, 0ms), 2u);
    EXPECT_TRUE(queue.PostNotice(Notice{NoticeSendEmpty, 0, 0, {}}));
    queue.DispatchPending(comm);

    std::thread waker([&] {
        std::this_thread::sleep_for(20ms);
        queue.Wake();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(queue.WaitAndDispatch(comm, 5s), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    waker.join();
}

}  // namespace
}  // namespace q36::test
