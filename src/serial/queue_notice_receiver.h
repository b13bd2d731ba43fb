#pragma once
// Notice receiver for a thread that runs its own loop (the command-line tool, tests): notices
// wait in a queue until that thread collects and dispatches them.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

#include "serial/notice_receiver.h"

namespace q36 {

class TComm;

class QueueNoticeReceiver final : public NoticeReceiver {
  public:
    // Same bound as the original platform's posted-message queue.
    static constexpr size_t kDefaultCapacity = 10000;

    // Posting fails once capacity notices are waiting.
    explicit QueueNoticeReceiver(size_t capacity = kDefaultCapacity);

    bool PostNotice(Notice notice) override;

    // Waits until a notice is queued, Wake() is called or timeout passes, then dispatches the
    // notices queued at that moment to comm in posting order. Returns how many it dispatched.
    size_t WaitAndDispatch(TComm& comm, std::chrono::milliseconds timeout);
    // Dispatches the notices queued now without waiting. Returns how many it dispatched.
    size_t DispatchPending(TComm& comm);
    // Makes a current or the next WaitAndDispatch return even without a notice.
    void Wake();
    // Number of notices waiting.
    size_t Pending() const;

  private:
    size_t DispatchQueued(std::unique_lock<std::mutex>& lock, TComm& comm);

    const size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Notice> queue_;
    bool woken_ = false;
};

}  // namespace q36
