#include "comm_fixture.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <stdexcept>

namespace q36::test {

PtyPair::PtyPair() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    slavePath_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
    CloseMaster();
    ::close(slave_);
}

void PtyPair::WriteMaster(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else {
            pollfd fd{master_, POLLOUT, 0};
            if (::poll(&fd, 1, 2000) <= 0) throw std::runtime_error("pty master not writable");
        }
    }
}

std::vector<uint8_t> PtyPair::ReadMaster(size_t count, std::chrono::milliseconds timeout) {
    std::vector<uint8_t> bytes;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
        uint8_t chunk[4096];
        const ssize_t n = ::read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
        if (n <= 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

namespace {
int CountEntries(const char* dir) {
    int count = 0;
    if (DIR* d = ::opendir(dir)) {
        while (dirent* e = ::readdir(d)) count += e->d_name[0] != '.';
        ::closedir(d);
    }
    return count;
}
}  // namespace

std::string OpenFailure(TComm& comm, int* errorNumber) {
    try {
        comm.OpenPort();
        return "opened";
    } catch (const ECommsError& error) {
        if (errorNumber) *errorNumber = error.ErrorNumber();
        return error.what();
    }
}

// Less the descriptor opendir itself holds while counting.
int OpenFdCount() {
    return CountEntries("/proc/self/fd") - 1;
}
int ThreadCount() {
    return CountEntries("/proc/self/task");
}

LoggedComm::LoggedComm() {
    comm.OnReceiveData = [this](TComm&, const uint8_t* buffer, uint16_t length) {
        deliveries.emplace_back(buffer, buffer + length);
        allTerminated = allTerminated && buffer[length] == 0;
        order.push_back("data");
    };
    comm.OnRequestHangup = [this](TComm&) {
        ++hangups;
        order.push_back("hangup");
    };
    comm.OnSendDataEmpty = [this](TComm&) {
        ++sendEmpty;
        order.push_back("empty");
    };
}

bool LoggedComm::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < end) queue.WaitAndDispatch(comm, 10ms);
    return done();
}

void LoggedComm::RunFor(std::chrono::milliseconds duration) {
    RunUntil([] { return false; }, duration);
}

std::vector<uint8_t> LoggedComm::Received() const {
    std::vector<uint8_t> all;
    for (const auto& d : deliveries) all.insert(all.end(), d.begin(), d.end());
    return all;
}

std::vector<uint8_t> Pattern(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i);
    return bytes;
}

}  // namespace q36::test
