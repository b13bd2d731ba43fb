#pragma once
// The writer's request queue: blocks to send, in order, with a descriptor that becomes
// readable when one arrives, so the writer can wait on it beside the close event.

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
    // Readable while a Post has not been acknowledged by Acknowledge().
    int SignalFd() const { return signal_.Get(); }
    // Resets the signal before the queue is looked at again.
    void Acknowledge();

  private:
    std::mutex mutex_;
    std::deque<std::vector<uint8_t>> blocks_;
    bool closed_ = false;
    UniqueFd signal_;
};

}  // namespace q36
