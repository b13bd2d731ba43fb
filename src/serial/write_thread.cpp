#include "serial/write_thread.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "serial/thread_priority.h"

namespace q36 {

TWriteThread::TWriteThread(int port, int closeEvent, NoticeReceiver& receiver)
    : port_(port), closeEvent_(closeEvent), receiver_(receiver) {}

TWriteThread::~TWriteThread() {
    Join();
}

void TWriteThread::Start() {
    thread_ = std::thread(&TWriteThread::Run, this);
}

void TWriteThread::Join() {
    if (thread_.joinable()) thread_.join();
}

bool TWriteThread::Post(std::vector<uint8_t> block) {
    return queue_.Post(std::move(block));
}

void TWriteThread::Run() {
    RaiseThreadPriority(1);
    try {
        Serve();
    } catch (...) {
        PostHangup();
    }
    // Requests still queued are discarded unsent, and SendData fails from now on. What a block
    // given up left in the driver goes too; after a writer that sent everything the line keeps
    // its bytes (on a pseudo-terminal a flush would take back what the other side has not read).
    queue_.Close();
    if (queue_.Dropped()) ::tcflush(port_, TCOFLUSH);
}

void TWriteThread::Serve() {
    // Set at start, so the first empty queue is reported right after the port opens.
    bool sentSinceEmpty = true;
    for (;;) {
        std::optional<std::vector<uint8_t>> block = queue_.Take();
        if (!block) {
            if (sentSinceEmpty) {
                Notice notice;
                notice.code = NoticeSendEmpty;
                if (!receiver_.PostNotice(std::move(notice))) {
                    PostHangup();
                    return;
                }
                sentSinceEmpty = false;
            }
            const Wait wait = WaitFor(queue_.SignalFd(), POLLIN);
            if (wait == Wait::Closing) return;
            if (wait == Wait::Failed) {
                PostHangup();
                return;
            }
            queue_.Acknowledge();
            continue;
        }
        if (CloseEventSet()) {
            queue_.Finished(false);  // the block taken is dropped unsent
            return;
        }
        const bool sent = SendBlock(*block);
        queue_.Finished(sent);
        if (!sent) return;
        sentSinceEmpty = true;
    }
}

bool TWriteThread::SendBlock(const std::vector<uint8_t>& block) {
    const size_t count = block.empty() ? 0 : block.size() - 1;
    size_t position = 0;
    while (position < count) {
        const ssize_t n = ::write(port_, block.data() + position, count - position);
        if (n > 0) {
            position += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EBADF) return false;  // closed under the thread: silent
        if (n < 0 && errno == EAGAIN) {
            switch (WaitFor(port_, POLLOUT)) {
                case Wait::Ready:
                    continue;
                case Wait::Closing:
                    return false;  // abandoned by ClosePort, not a failure
                case Wait::Failed:
                    break;
            }
        }
        PostHangup();
        return false;
    }
    return true;
}

TWriteThread::Wait TWriteThread::WaitFor(int fd, short events) {
    for (;;) {
        pollfd fds[2] = {{closeEvent_, POLLIN, 0}, {fd, events, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return Wait::Failed;
        }
        if (fds[0].revents != 0) return Wait::Closing;
        if (fds[1].revents & POLLNVAL) return Wait::Closing;  // closed under the thread: silent
        if (fds[1].revents & events) return Wait::Ready;
        // POLLHUP or POLLERR without the awaited event: the device is gone.
        return Wait::Failed;
    }
}

bool TWriteThread::CloseEventSet() const {
    pollfd fd{closeEvent_, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0;
}

void TWriteThread::PostHangup() {
    // Refuse further blocks before the owner hears of the failure, so that SendData already
    // fails in its hangup handler.
    queue_.Close();
    try {
        Notice notice;
        notice.code = NoticeHangup;
        (void)receiver_.PostNotice(std::move(notice));
    } catch (...) {
        // Nothing is left to report to.
    }
}

}  // namespace q36
