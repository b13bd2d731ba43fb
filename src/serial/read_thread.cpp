#include "serial/read_thread.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <utility>
#include <vector>

#include "serial/thread_priority.h"

namespace q36 {

namespace {

// Devices that keep line counters have no call to wait for a change of them, so the reader
// looks at them this often while the line is quiet, and after every arrival.
constexpr std::chrono::milliseconds kLineCheckPeriod(250);

timespec ToTimespec(std::chrono::nanoseconds wait) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    return timespec{static_cast<time_t>(seconds.count()),
                    static_cast<long>((wait - seconds).count())};
}

}  // namespace

TReadThread::TReadThread(int port, int closeEvent, NoticeReceiver& receiver,
                         const PortTimeouts& timeouts)
    : port_(port), closeEvent_(closeEvent), receiver_(receiver), timeouts_(timeouts) {}

TReadThread::~TReadThread() {
    Join();
}

void TReadThread::Start() {
    thread_ = std::thread(&TReadThread::Run, this);
}

void TReadThread::Join() {
    if (thread_.joinable()) thread_.join();
}

void TReadThread::Run() {
    RaiseThreadPriority(2);
    try {
        Serve();
    } catch (...) {
        // A receiver that throws (out of memory) must not take the program down.
        PostHangup();
    }
    ::tcflush(port_, TCIFLUSH);
}

void TReadThread::Serve() {
    switch (ReadLineCounters(port_, counters_)) {
        case CounterRead::Ok:
            watchLines_ = true;
            break;
        case CounterRead::Unsupported:
            break;
        case CounterRead::Closed:
            return;
        case CounterRead::Failed:
            PostHangup();
            return;
    }
    ArmRead();
    Clock::time_point nextLineCheck = Clock::now() + kLineCheckPeriod;
    for (;;) {
        // Timeouts changed while the port is open apply to the pending read from its next wake.
        timing_ = ReadTimingOf(timeouts_.Load(), kReadBufferSize);
        std::optional<Clock::time_point> deadline;
        auto earliest = [&deadline](Clock::time_point t) {
            deadline = deadline ? std::min(*deadline, t) : t;
        };
        if (count_ > 0 && timing_.idle) earliest(lastByte_ + *timing_.idle);
        if (timing_.total) earliest(started_ + *timing_.total);
        if (watchLines_) earliest(nextLineCheck);

        timespec wait{};
        if (deadline) wait = ToTimespec(std::max(*deadline - Clock::now(), Clock::duration(0)));
        pollfd fds[2] = {{closeEvent_, POLLIN, 0}, {port_, POLLIN, 0}};
        if (::ppoll(fds, 2, deadline ? &wait : nullptr, nullptr) < 0) {
            if (errno == EINTR) continue;
            PostHangup();
            return;
        }
        if (fds[0].revents != 0) return;        // ClosePort
        if (fds[1].revents & POLLNVAL) return;  // the port was closed under the thread
        const bool arrived = fds[1].revents != 0;
        if (arrived && !ReadAvailable(fds[1].revents)) return;

        const Clock::time_point now = Clock::now();
        if (watchLines_ && (arrived || now >= nextLineCheck)) {
            if (!CheckLineEvents()) return;
            nextLineCheck = now + kLineCheckPeriod;
        }
        if (count_ > 0 && timing_.idle && now - lastByte_ >= *timing_.idle) {
            if (!Deliver()) return;
            ArmRead();
        } else if (timing_.total && now - started_ >= *timing_.total) {
            // A request that ran out of time with nothing read is an empty poll: no notice.
            if (count_ > 0 && !Deliver()) return;
            ArmRead();
        }
    }
}

void TReadThread::ArmRead() {
    count_ = 0;
    started_ = Clock::now();
}

bool TReadThread::ReadAvailable(short revents) {
    const ssize_t n = ::read(port_, buffer_.data() + count_, kReadBufferSize - count_);
    if (n > 0) {
        count_ += static_cast<size_t>(n);
        lastByte_ = Clock::now();
        if (count_ < kReadBufferSize) return true;
        if (!Deliver()) return false;
        ArmRead();
        return true;
    }
    if (n < 0 && errno == EINTR) return true;
    if (n < 0 && errno == EAGAIN && !(revents & (POLLHUP | POLLERR))) return true;
    if (n < 0 && errno == EBADF) return false;
    // End of file (a hung-up tty), EIO, or a hangup with nothing left to read: the device is
    // gone. Bytes the line had not gone quiet after are a read cut short, most likely part of a
    // frame, and are not delivered: taken for a whole answer they would be judged and refused.
    count_ = 0;
    PostHangup();
    return false;
}

bool TReadThread::CheckLineEvents() {
    LineCounters now;
    switch (ReadLineCounters(port_, now)) {
        case CounterRead::Ok:
            break;
        case CounterRead::Unsupported:
            watchLines_ = false;
            return true;
        case CounterRead::Closed:
            return false;
        case CounterRead::Failed:
            PostHangup();
            return false;
    }
    const LineEvents events = LineEventsBetween(counters_, now);
    counters_ = now;
    if (events.errorFlags != 0 && !Post(NoticeReceiveError, events.errorFlags)) return false;
    if (events.modemState != 0 && !Post(NoticeModemState, events.modemState)) return false;
    return true;
}

bool TReadThread::Deliver() {
    Notice notice;
    notice.code = NoticeReceiveData;
    notice.wParam = static_cast<uint32_t>(count_);
    notice.block.assign(count_ + 1, 0);  // the final 0 stays
    std::copy_n(buffer_.begin(), count_, notice.block.begin());
    count_ = 0;
    if (receiver_.PostNotice(std::move(notice))) return true;
    PostHangup();
    return false;
}

bool TReadThread::Post(uint32_t code, uintptr_t lParam) {
    Notice notice;
    notice.code = code;
    notice.lParam = lParam;
    if (receiver_.PostNotice(std::move(notice))) return true;
    PostHangup();
    return false;
}

void TReadThread::PostHangup() {
    try {
        Notice notice;
        notice.code = NoticeHangup;
        (void)receiver_.PostNotice(std::move(notice));
    } catch (...) {
        // Nothing is left to report to.
    }
}

}  // namespace q36
