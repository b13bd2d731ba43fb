#include "serial/send_queue.h"

#include <sys/eventfd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

namespace q36 {

SendQueue::SendQueue() : signal_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!signal_.Valid()) throw std::system_error(errno, std::generic_category(), "eventfd");
}

bool SendQueue::Post(std::vector<uint8_t> block) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) return false;
        blocks_.push_back(std::move(block));
        ++unsent_;
    }
    const uint64_t one = 1;
    (void)::write(signal_.Get(), &one, sizeof one);
    return true;
}

std::optional<std::vector<uint8_t>> SendQueue::Take() {
    std::lock_guard lock(mutex_);
    if (blocks_.empty()) return std::nullopt;
    std::vector<uint8_t> block = std::move(blocks_.front());
    blocks_.pop_front();
    return block;
}

void SendQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        if (!blocks_.empty()) dropped_ = true;
        unsent_ -= std::min(unsent_, blocks_.size());
        blocks_.clear();
    }
    changed_.notify_all();
}

void SendQueue::Finished(bool sent) {
    {
        std::lock_guard lock(mutex_);
        if (unsent_ > 0) --unsent_;
        if (!sent) dropped_ = true;
    }
    changed_.notify_all();
}

bool SendQueue::WaitUntilSent(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return unsent_ == 0 || dropped_; });
    return unsent_ == 0 && !dropped_;
}

bool SendQueue::Dropped() {
    std::lock_guard lock(mutex_);
    return dropped_;
}

void SendQueue::Acknowledge() {
    uint64_t count = 0;
    (void)::read(signal_.Get(), &count, sizeof count);
}

}  // namespace q36
