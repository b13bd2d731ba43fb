#pragma once
// The writer's request queue: blocks to send, in order, with a descriptor that becomes
// readable when one arrives, so the writer can wait on it beside the close event.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "serial/unique_fd.h"

namespace q36 {

class SendQueue {
  public:
    // Throws std::system_error when the signal descriptor cannot be created.
    SendQueue();

    // Queues a block from any thread; false once the queue is closed.
    bool Post(std::vector<uint8_t> block);
    // The oldest block, if any.
    std::optional<std::vector<uint8_t>> Take();
    // Refuses further blocks and discards those still queued.
    void Close();
    // The writer finished the block it took last: put on the line whole, or given up.
    void Finished(bool sent);
    // Waits until every block posted so far has been put on the line whole. False when the
    // deadline passes first, or when a block was discarded or given up.
    bool WaitUntilSent(std::chrono::steady_clock::time_point deadline);
    // True when a block was discarded or given up unsent.
    bool Dropped();
    // Readable while a Post has not been acknowledged by Acknowledge().
    int SignalFd() const { return signal_.Get(); }
    // Resets the signal before the queue is looked at again.
    void Acknowledge();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<uint8_t>> blocks_;
    size_t unsent_ = 0;  // posted and not yet finished, the one the writer holds included
    bool dropped_ = false;
    bool closed_ = false;
    UniqueFd signal_;
};

}  // namespace q36
