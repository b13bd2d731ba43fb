// Request/response exchanges over a pseudo-terminal, as the programming transfer makes them:
// the host sends a 9-byte request, the far side answers at once with 43 bytes. Reports how long
// past the idle rule each answer reaches the owner thread, how long requests take to reach the
// far side, and the CPU time the open, idle component uses.
//
//   serial_roundtrip [--exchanges N] [--interval MS] [--idle-seconds S]

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "serial/queue_notice_receiver.h"
#include "serial/radio_link_settings.h"
#include "serial/tcomm.h"

namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

constexpr size_t kRequestSize = 9;
constexpr size_t kResponseSize = 43;

struct Options {
    int exchanges = 1000;
    int intervalMs = 100;
    int idleSeconds = 5;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (name == "--exchanges") {
            options.exchanges = std::max(1, value);
        } else if (name == "--interval") {
            options.intervalMs = std::max(1, value);
        } else if (name == "--idle-seconds") {
            options.idleSeconds = std::max(1, value);
        } else {
            std::fprintf(stderr, "unknown option %s\n", name.c_str());
            std::exit(2);
        }
    }
    return options;
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The far side: answers each complete request at once, noting when the request was complete
// and when the answer was handed to the line.
void ServeRequests(int master, int exchanges, std::vector<Clock::time_point>& requestDone,
                   std::vector<Clock::time_point>& responseWritten) {
    std::vector<uint8_t> response(kResponseSize);
    for (size_t i = 0; i < response.size(); ++i) response[i] = static_cast<uint8_t>(0x30 + i);
    for (int n = 0; n < exchanges; ++n) {
        size_t got = 0;
        while (got < kRequestSize) {
            pollfd fd{master, POLLIN, 0};
            if (::poll(&fd, 1, 5000) <= 0) return;
            uint8_t chunk[64];
            const ssize_t r = ::read(master, chunk, std::min(sizeof chunk, kRequestSize - got));
            if (r <= 0) return;
            got += static_cast<size_t>(r);
        }
        requestDone[n] = Clock::now();
        if (::write(master, response.data(), response.size()) !=
            static_cast<ssize_t>(response.size())) {
            return;
        }
        responseWritten[n] = Clock::now();
    }
}

void Report(const char* what, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) { return micros[static_cast<size_t>(q * (micros.size() - 1))]; };
    std::printf("%-44s median %8.1f us  p90 %8.1f  p99 %8.1f  max %8.1f\n", what, at(0.5), at(0.9),
                at(0.99), micros.back());
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);

    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }

    q36::QueueNoticeReceiver queue;
    q36::TComm comm(queue);
    q36::ApplyRadioLinkSettings(comm);
    comm.SetReadIntervalTimeout(static_cast<uint32_t>(options.intervalMs));
    comm.SetCommName(name);

    const auto n = static_cast<size_t>(options.exchanges);
    std::vector<Clock::time_point> sent(n), requestDone(n), responseWritten(n), delivered(n);
    size_t exchange = 0;
    size_t received = 0;
    bool split = false;
    const uint8_t request[kRequestSize] = {0xC4, 0xD7, 0x52, 0x01, 0x05, 0x00, 0x04, 0x04, 0x04};

    auto sendRequest = [&] {
        sent[exchange] = Clock::now();
        comm.SendData(request, kRequestSize);
    };
    comm.OnReceiveData = [&](q36::TComm&, const uint8_t*, uint16_t length) {
        const auto now = Clock::now();
        received += length;
        if (received < kResponseSize) {
            split = true;
            return;
        }
        delivered[exchange] = now;
        received = 0;
        if (++exchange < n) sendRequest();
    };

    try {
        comm.OpenPort();
    } catch (const q36::ECommsError& error) {
        std::fprintf(stderr, "%s (%s)\n", error.what(), error.SystemError().c_str());
        return 1;
    }
    std::thread radio(ServeRequests, master, options.exchanges, std::ref(requestDone),
                      std::ref(responseWritten));

    const double cpuBefore = CpuSeconds();
    const auto start = Clock::now();
    sendRequest();
    while (exchange < n) {
        if (queue.WaitAndDispatch(comm, std::chrono::seconds(5)) == 0) {
            std::fprintf(stderr, "no answer after %zu exchanges\n", exchange);
            comm.ClosePort();
            ::close(master);
            radio.join();
            return 1;
        }
    }
    const double busySeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double busyCpu = CpuSeconds() - cpuBefore;
    radio.join();

    const auto interval = std::chrono::milliseconds(options.intervalMs);
    std::vector<double> beyondIdle(n), requestLatency(n);
    for (size_t i = 0; i < n; ++i) {
        beyondIdle[i] = Micros(delivered[i] - responseWritten[i] - interval).count();
        requestLatency[i] = Micros(requestDone[i] - sent[i]).count();
    }
    std::printf("%d exchanges of %zu-byte requests and %zu-byte answers, interval %d ms\n",
                options.exchanges, kRequestSize, kResponseSize, options.intervalMs);
    Report("answer delivered, beyond the idle interval:", beyondIdle);
    Report("request from SendData to the far side:", requestLatency);
    std::printf("answers split into several deliveries: %s\n", split ? "yes" : "no");
    std::printf("CPU while exchanging: %.3f s in %.1f s wall (%.2f%% of one core)\n", busyCpu,
                busySeconds, 100.0 * busyCpu / busySeconds);

    // Idle: the port open, nothing moving. The owner thread sleeps in the queue's wait.
    const double idleBefore = CpuSeconds();
    const auto idleStart = Clock::now();
    while (Clock::now() - idleStart < std::chrono::seconds(options.idleSeconds)) {
        queue.WaitAndDispatch(comm, std::chrono::seconds(1));
    }
    const double idleCpu = CpuSeconds() - idleBefore;
    std::printf("CPU while idle: %.4f s in %d s (%.3f%% of one core)\n", idleCpu,
                options.idleSeconds, 100.0 * idleCpu / options.idleSeconds);

    comm.ClosePort();
    ::close(master);
    ::close(slave);
    return 0;
}
