#include "serial/queue_notice_receiver.h"

#include <utility>

#include "serial/tcomm.h"

namespace q36 {

QueueNoticeReceiver::QueueNoticeReceiver(size_t capacity) : capacity_(capacity) {}

bool QueueNoticeReceiver::PostNotice(Notice notice) {
    {
        std::lock_guard lock(mutex_);
        if (queue_.size() >= capacity_) return false;
        queue_.push_back(std::move(notice));
    }
    arrived_.notify_one();
    return true;
}

size_t QueueNoticeReceiver::WaitAndDispatch(TComm& comm, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [this] { return !queue_.empty() || woken_; });
    woken_ = false;
    return DispatchQueued(lock, comm);
}

size_t QueueNoticeReceiver::DispatchPending(TComm& comm) {
    std::unique_lock lock(mutex_);
    return DispatchQueued(lock, comm);
}

size_t QueueNoticeReceiver::DispatchQueued(std::unique_lock<std::mutex>& lock, TComm& comm) {
    // Only what is queued now: a steady stream must not keep the caller here for ever. The lock
    // is released around each dispatch so that handlers may post, wait or close the port, and a
    // handler that throws leaves the rest queued.
    size_t count = queue_.size();
    size_t dispatched = 0;
    while (dispatched < count && !queue_.empty()) {
        Notice notice = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        ++dispatched;
        comm.DispatchNotice(notice);
        lock.lock();
    }
    return dispatched;
}

void QueueNoticeReceiver::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    arrived_.notify_all();
}

size_t QueueNoticeReceiver::Pending() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

}  // namespace q36
