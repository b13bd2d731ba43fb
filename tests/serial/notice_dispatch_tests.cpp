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
    return Notice{code, wParam, lParam, std::move(block)};
}

TEST(NoticeDispatch, EachCodeRaisesItsEventInPostingOrderAndBadBlocksAreCut) {
    QueueNoticeReceiver queue;
    TComm comm(queue);
    std::string log;
    comm.OnReceiveData = [&](TComm& sender, const uint8_t* buffer, uint16_t length) {
        EXPECT_EQ(&sender, &comm);
        log +=
            "data:" + std::string(buffer, buffer + length) + std::to_string(buffer[length]) + " ";
    };
    comm.OnReceiveError = [&](TComm&, uint32_t mask) {
        log += "error:" + std::to_string(mask) + " ";
    };
    comm.OnModemStateChange = [&](TComm&, uint32_t v) {
        log += "modem:" + std::to_string(v) + " ";
    };
    comm.OnSendDataEmpty = [&](TComm&) { log += "empty "; };
    comm.OnRequestHangup = [&](TComm& sender) {
        sender.OnRequestHangup = nullptr;  // destroys the handler that is running
        log += "hangup ";
    };

    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveData, 0, {'a', 'b', 0}, 2)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveError, CommErrorFrame | CommErrorBreak)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeModemState, ModemRing | ModemCarrier)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeHangup)));
    ASSERT_TRUE(queue.PostNotice(Make(NoticeHangup)));  // handler gone: nothing
    ASSERT_TRUE(queue.PostNotice(Make(NoticeSendEmpty)));
    ASSERT_TRUE(queue.PostNotice(Make(1024)));                                      // not ours
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveData, 0, {'x', 'y'}, 2000)));    // count too big
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveData, 0, {'p', 'q', 'r'}, 1)));  // no final 0
    ASSERT_TRUE(queue.PostNotice(Make(NoticeReceiveData, 0, {}, 5)));
    EXPECT_EQ(queue.DispatchPending(comm), 10u);
    EXPECT_EQ(log, "data:ab0 error:24 modem:12 hangup empty data:x0 data:p0 ");
}

TEST(QueueNoticeReceiver, RefusesWhenFullAndWakesAWaitingLoop) {
    QueueNoticeReceiver queue(2);
    TComm comm(queue);
    EXPECT_TRUE(queue.PostNotice(Make(NoticeSendEmpty)));
    EXPECT_TRUE(queue.PostNotice(Make(NoticeSendEmpty)));
    EXPECT_FALSE(queue.PostNotice(Make(NoticeSendEmpty)));
    EXPECT_EQ(queue.WaitAndDispatch(comm, 0ms), 2u);

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
