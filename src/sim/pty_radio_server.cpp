#include "pty_radio_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace q36 {

PtyRadioServer::PtyRadioServer(VirtualRadio& radio) : radio_(radio) {}

PtyRadioServer::~PtyRadioServer() {
    CloseMaster();
    if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
}

bool PtyRadioServer::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeeper_ < 0) {
        error = slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start, so nothing is echoed back before a program configures the line.
    termios tio{};
    if (::tcgetattr(slaveKeeper_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(slaveKeeper_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyRadioServer::CloseMaster() {
    const std::lock_guard lock(lineMutex_);
    CloseMasterLocked();
}

void PtyRadioServer::CloseMasterLocked() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void PtyRadioServer::WriteAll(const std::vector<uint8_t>& bytes) {
    // Paced bytes keep to a schedule from the first one, so that a sleep that overshoots is made
    // up by the next rather than adding up over an answer.
    constexpr std::chrono::microseconds kByteTime(1042);  // 10 bits at 9600 baud
    const auto start = std::chrono::steady_clock::now();
    std::size_t done = 0;
    while (done < bytes.size() && master_ >= 0) {
        const std::size_t chunk = paced_ ? 1 : bytes.size() - done;
        const ssize_t n = ::write(master_, bytes.data() + done, chunk);
        if (n > 0) {
            done += std::size_t(n);
            if (paced_) std::this_thread::sleep_until(start + kByteTime * done);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 50);
        } else {
            return;  // the line is gone; the answer is lost as on a pulled cable
        }
    }
}

void PtyRadioServer::Poll(std::chrono::milliseconds timeout) {
    std::unique_lock lock(lineMutex_);
    if (master_ < 0) {
        lock.unlock();
        std::this_thread::sleep_for(timeout);
        return;
    }
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, int(timeout.count())) <= 0) return;
    uint8_t buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        radio_.Receive(buffer, std::size_t(n));
        if (radio_.LineCut()) {
            CloseMasterLocked();
            return;
        }
    }
    const auto deliveries = radio_.TakeDeliveries();
    const auto pauses = radio_.PauseBefore();
    for (std::size_t i = 0; i < deliveries.size(); ++i) {
        if (i < pauses.size() && pauses[i]) std::this_thread::sleep_for(splitPause_);
        WriteAll(deliveries[i]);
    }
    if (radio_.CutAfterDeliveries()) {
        // Long enough for the program to have read the piece, shorter than the pause that
        // would end its delivery.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        CloseMasterLocked();
    }
}

void PtyRadioServer::Run(const std::atomic<bool>& stop) {
    while (!stop.load()) Poll(std::chrono::milliseconds(50));
}

}  // namespace q36
