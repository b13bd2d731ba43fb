// Whole read and write transfers of q36cli against `q36cli radio --pace` (the plain write, and
// the safe write: the backup read, the write and the read-back check), which answers at the
// 9600-baud rate over a pseudo-terminal. Each run is set against the least time the protocol
// allows: every byte of both directions at 960 bytes a second, plus the 100 ms pause that ends
// each delivery. Also reports the q36cli process's CPU time and peak resident memory, and where
// the time went: until the first answer was handled, the exchange, and after the last answer.
// A pseudo-terminal carries the program's own bytes at once, so the "pty ratio" sets each run
// against the radio's side of the line alone.
//
//   transfer_bench [--runs N]
//
// q36cli keeps its private working store in TMPDIR; TMPDIR=/dev/shm shows what its commits to
// disk cost.
//
// q36cli is taken from the folder of this executable. Exits 1 when a transfer fails even when run
// again; missed targets are reported but do not fail the run, so that a busy machine cannot fail
// a build.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "codec/channel_block.h"
#include "codec/scan_block.h"
#include "protocol/frame.h"
#include "protocol/transfer.h"
#include "runner/transfer_runner.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "support/memory_host.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kLineBytesPerSecond = 960.0;  // 9600 baud, ten bits a byte with 8N1
constexpr double kIdleSeconds = 0.100;         // the reader ends a delivery after 100 ms of quiet
constexpr int kReadRequestPayload = 1;         // the block type asked for
constexpr int kStatusPayload = 1;              // the status byte
constexpr auto kTransferTimeout = std::chrono::seconds(60);
constexpr int kRetries = 1;  // failed transfers run again before the benchmark gives up

constexpr double kRatioTarget = 1.05;
constexpr double kCpuShareTarget = 0.05;
constexpr double kPeakMemoryTargetMb = 50.0;

constexpr int FrameBytes(int payload) {
    return q36::FRAME_OVERHEAD + payload;
}

constexpr int kHandshakeFrame = FrameBytes(q36::HANDSHAKE_PAYLOAD);
constexpr int kHandshakeReplyFrame = FrameBytes(q36::HANDSHAKE_REPLY_PAYLOAD);
constexpr int kReadRequestFrame = FrameBytes(kReadRequestPayload);
constexpr int kStatusFrame = FrameBytes(kStatusPayload);
constexpr int kDataFrame = FrameBytes(q36::DATA_PAYLOAD);

// Bytes each side puts on the line during one transfer, and how many deliveries the program's
// reader makes of the radio's answers.
struct LineTraffic {
    int hostBytes = 0;
    int radioBytes = 0;
    int deliveries = 0;

    // The program sends a frame; the radio answers with one frame (0: no answer).
    void Exchange(int sent, int answer) {
        hostBytes += sent;
        if (answer > 0) {
            radioBytes += answer;
            ++deliveries;
        }
    }
    double Seconds(int bytes) const { return bytes / kLineBytesPerSecond; }
    double FloorSeconds() const {
        return Seconds(hostBytes + radioBytes) + deliveries * kIdleSeconds;
    }
    // A pseudo-terminal carries the program's bytes at once; only the radio paces its answers.
    double PtyFloorSeconds() const { return Seconds(radioBytes) + deliveries * kIdleSeconds; }
    bool operator==(const LineTraffic&) const = default;
};

// A read with scan lists: the handshake, the common block, channel 0 on request and each further
// channel on the acknowledgement of the one before; the last channel's acknowledgement gets no
// answer, the scan-list request does, and the last scan list is not acknowledged.
LineTraffic ReadTraffic() {
    LineTraffic t;
    t.Exchange(kHandshakeFrame, kHandshakeReplyFrame);
    t.Exchange(kReadRequestFrame, kDataFrame);
    t.Exchange(kReadRequestFrame, kDataFrame);
    for (int channel = 1; channel < q36::CHANNEL_COUNT; ++channel)
        t.Exchange(kStatusFrame, kDataFrame);
    t.Exchange(kStatusFrame, 0);
    t.Exchange(kReadRequestFrame, kDataFrame);
    for (int list = 1; list < q36::SCAN_LIST_COUNT; ++list) t.Exchange(kStatusFrame, kDataFrame);
    return t;
}

// A write with scan lists: the handshake, then every block answered by a status.
LineTraffic WriteTraffic() {
    LineTraffic t;
    t.Exchange(kHandshakeFrame, kHandshakeReplyFrame);
    const int blocks = 1 + q36::CHANNEL_COUNT + q36::SCAN_LIST_COUNT;
    for (int block = 0; block < blocks; ++block) t.Exchange(kDataFrame, kStatusFrame);
    return t;
}

// The same traffic as the transfer state machine really makes it, against the virtual radio in
// this process, so that the model above cannot drift away from the protocol unnoticed.
LineTraffic MeasuredTraffic(bool read) {
    q36::test::MemoryHost host;
    q36::VirtualRadio radio(q36::RadioConfig{}, q36::DefaultRadioImage(400, 440));
    const q36::RunSettings settings;
    q36::ManualClock clock;
    q36::TransferRunner runner(host, host, clock, settings);
    runner.GetTransfer().PortOpen = true;
    LineTraffic t;
    host.onSend = [&](const uint8_t* data, uint16_t length) {
        t.hostBytes += length;
        radio.Receive(data, length);
    };
    if (read ? runner.PrepareRead() : runner.PrepareWrite()) {
        read ? runner.StartRead() : runner.StartWrite();
    }
    q36::LoopbackLink link(radio);
    runner.RunOnLink(
        [&](std::vector<uint8_t>& delivery) {
            if (!link.Next(delivery)) return false;
            t.radioBytes += int(delivery.size());
            ++t.deliveries;
            return true;
        },
        clock);
    const auto done = read ? q36::TransferEvent::ReadDone : q36::TransferEvent::WriteDone;
    if (host.messages.empty() || host.messages.back().event != done) return {};
    return t;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double CpuSeconds(const rusage& usage) {
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A child process whose stream `captured` (1 or 2) comes back through a pipe; its other
// standard streams are /dev/null. The child dies with this process.
struct Child {
    pid_t pid = -1;
    int fd = -1;
};

bool Spawn(const std::vector<std::string>& argv, int captured, Child& child) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(127);
        const int null = ::open("/dev/null", O_RDWR);
        for (int stream = 0; stream <= 2; ++stream)
            ::dup2(stream == captured ? fds[1] : null, stream);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return false;
    }
    child = {pid, fds[0]};
    return true;
}

// Waits for the child's end and takes its resource usage; -1 unless it exited by itself.
int Reap(Child& child, rusage& usage) {
    int status = 0;
    while (::wait4(child.pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (child.fd >= 0) ::close(child.fd);
    child = {};
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct RunResult {
    int exitCode = -1;
    double wall = 0;
    double cpu = 0;
    double peakMb = 0;
    double firstAnswer = -1;  // when the program reported its first delivery
    double lastAnswer = -1;   // when it reported the last one (the message after the progress)
    std::string stderrText;
};

// The progress lines q36cli prints on stderr when it is not a terminal, one per delivery; the
// first delivery's line is "progress 1/N", and the last delivery prints the done message instead.
void FindAnswerTimes(const std::vector<std::pair<double, std::string>>& lines, RunResult& result) {
    const std::string progress = "progress ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].second.rfind(progress + "1/", 0) == 0 && result.firstAnswer < 0) {
            result.firstAnswer = lines[i].first;
        }
        if (lines[i].second.rfind(progress, 0) == 0 && i + 1 < lines.size()) {
            result.lastAnswer = lines[i + 1].first;
        }
    }
}

// The lines of q36cli's stderr other than its progress, each after a space.
std::string Messages(const std::string& text) {
    std::string messages;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        const std::string line = text.substr(start, end - start);
        if (line.rfind("progress ", 0) != 0) messages += " " + line;
        start = end + 1;
    }
    return messages;
}

// Runs q36cli to its end, timing each line it writes on stderr.
RunResult RunTransfer(const std::vector<std::string>& argv) {
    RunResult result;
    const auto start = Clock::now();
    Child child;
    std::vector<std::pair<double, std::string>> lines;  // each stderr line and when it came
    std::string partial;
    if (!Spawn(argv, 2, child)) {
        result.stderrText = "cannot start " + argv[0];
        return result;
    }
    for (;;) {
        const auto left = kTransferTimeout - (Clock::now() - start);
        pollfd p{child.fd, POLLIN, 0};
        const int ready =
            ::poll(&p, 1,
                   int(std::max<long long>(
                       0, std::chrono::duration_cast<std::chrono::milliseconds>(left).count())));
        if (ready == 0) {
            ::kill(child.pid, SIGKILL);
            result.stderrText +=
                "\n(killed after " + std::to_string(kTransferTimeout.count()) + " s)";
            break;
        }
        if (ready < 0 && errno == EINTR) continue;
        char buffer[512];
        const ssize_t n = ::read(child.fd, buffer, sizeof buffer);
        if (n <= 0) break;
        const double now = Seconds(Clock::now() - start);
        result.stderrText.append(buffer, std::size_t(n));
        partial.append(buffer, std::size_t(n));
        for (std::size_t end = partial.find('\n'); end != std::string::npos;
             end = partial.find('\n')) {
            lines.emplace_back(now, partial.substr(0, end));
            partial.erase(0, end + 1);
        }
    }
    FindAnswerTimes(lines, result);
    rusage usage{};
    result.exitCode = Reap(child, usage);
    result.wall = Seconds(Clock::now() - start);
    result.cpu = CpuSeconds(usage);
    result.peakMb = double(usage.ru_maxrss) / 1024.0;
    return result;
}

// `q36cli radio --pace`, serving until Stop().
class PacedRadio {
  public:
    ~PacedRadio() { Stop(); }

    bool Start(const std::string& q36cli) {
        if (!Spawn({q36cli, "radio", "--pace"}, 1, child_)) return false;
        std::string line;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (line.find('\n') == std::string::npos && Clock::now() < deadline) {
            pollfd p{child_.fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            char buffer[256];
            const ssize_t n = ::read(child_.fd, buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, std::size_t(n));
        }
        if (line.find('\n') == std::string::npos) return false;
        port_ = line.substr(0, line.find('\n'));
        return true;
    }
    const std::string& Port() const { return port_; }

    // Ends the radio; its CPU seconds.
    double Stop() {
        if (child_.pid <= 0) return 0;
        ::kill(child_.pid, SIGTERM);
        rusage usage{};
        Reap(child_, usage);
        return CpuSeconds(usage);
    }

  private:
    Child child_;
    std::string port_;
};

// Opens the radio's device raw, as a bare program would, without the serial component.
int OpenRaw(const std::string& port) {
    const int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

// Reads one answer of `size` bytes; false after a second without a byte. Sets how long passed
// from its first byte to its last.
bool ReadAnswer(int fd, std::size_t size, double& span) {
    std::size_t got = 0;
    Clock::time_point first;
    while (got < size) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0) return false;
        uint8_t buffer[64];
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, size - got));
        if (n <= 0) return false;
        if (got == 0) first = Clock::now();
        got += std::size_t(n);
    }
    span = Seconds(Clock::now() - first);
    return true;
}

bool SendFrame(int fd, uint8_t command, std::vector<uint8_t> payload) {
    const std::vector<uint8_t> frame = q36::BuildFrame(command, payload);
    return ::write(fd, frame.data(), frame.size()) == ssize_t(frame.size());
}

// The virtual radio's time per byte of its answers: the 24 channel blocks of a read, each timed
// from its first byte to its last. 0 when the radio did not answer as expected.
double RadioSecondsPerByte(const std::string& port) {
    const int fd = OpenRaw(port);
    if (fd < 0) return 0;
    double span = 0, total = 0;
    bool ok = SendFrame(fd, q36::CMD_HANDSHAKE, {0, 'K', 'Z', 'P', 0x18}) &&
              ReadAnswer(fd, std::size_t(kHandshakeReplyFrame), span) &&
              SendFrame(fd, q36::CMD_READ_REQUEST, {q36::BLOCK_CHANNEL});
    for (int channel = 0; ok && channel < q36::CHANNEL_COUNT; ++channel) {
        ok = ReadAnswer(fd, std::size_t(kDataFrame), span) &&
             SendFrame(fd, q36::CMD_STATUS, {q36::ST_OK});
        total += span;
    }
    ::close(fd);
    return ok ? total / (q36::CHANNEL_COUNT * (kDataFrame - 1)) : 0;
}

struct Options {
    int runs = 3;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--runs" && i + 1 < argc) {
            char* end = nullptr;
            const long runs = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || runs < 1 || runs > 100) return false;
            options.runs = int(runs);
        } else {
            return false;
        }
    }
    return true;
}

void PrintTraffic(const char* kind, const LineTraffic& t) {
    std::printf(
        "%-5s  program %4d B, radio %4d B, %d deliveries: floor %.3f s (on a pty, where only "
        "the radio paces: %.3f s)\n",
        kind, t.hostBytes, t.radioBytes, t.deliveries, t.FloorSeconds(), t.PtyFloorSeconds());
}

// Sums of the time breakdown over the runs of one kind.
struct Breakdown {
    double startUp = 0, exchange = 0, exchangeFloor = 0, finish = 0;
    int runs = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: transfer_bench [--runs N]   (N from 1 to 100)\n");
        return 2;
    }
    const std::string q36cli =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "q36cli").string();
    if (::access(q36cli.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "transfer_bench: %s: %s\n", q36cli.c_str(), std::strerror(errno));
        return 1;
    }

    const LineTraffic readTraffic = ReadTraffic();
    const LineTraffic writeTraffic = WriteTraffic();
    if (!(MeasuredTraffic(true) == readTraffic) || !(MeasuredTraffic(false) == writeTraffic)) {
        std::fprintf(stderr,
                     "transfer_bench: the frame model no longer matches the transfer; fix "
                     "ReadTraffic/WriteTraffic\n");
        return 1;
    }
    PrintTraffic("read", readTraffic);
    PrintTraffic("write", writeTraffic);
    // The safe write is a read, the write and a read again on the one port.
    LineTraffic safeTraffic = readTraffic;
    for (const LineTraffic* part : {&writeTraffic, &readTraffic}) {
        safeTraffic.hostBytes += part->hostBytes;
        safeTraffic.radioBytes += part->radioBytes;
        safeTraffic.deliveries += part->deliveries;
    }
    PrintTraffic("safe", safeTraffic);
    const char* kinds[] = {"read", "write", "safe"};

    std::string folder =
        (std::filesystem::temp_directory_path() / "q36-transfer-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "transfer_bench: %s: %s\n", folder.c_str(), std::strerror(errno));
        return 1;
    }
    struct RemoveFolder {
        std::string path;
        ~RemoveFolder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } removeFolder{folder};
    // The safe write's backups and the programming log stay in the bench's own folder.
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);

    PacedRadio radio;
    if (!radio.Start(q36cli)) {
        std::fprintf(stderr, "transfer_bench: the virtual radio did not start\n");
        return 1;
    }
    const std::string workbook = folder + "/radio.xlsx";
    const double radioByte = RadioSecondsPerByte(radio.Port());
    if (radioByte <= 0) {
        std::fprintf(stderr, "transfer_bench: the virtual radio did not answer a bare read\n");
        return 1;
    }

    std::printf("\n%-5s %3s %8s %8s %6s %9s %8s %6s %8s %8s %8s\n", "kind", "run", "wall s",
                "floor s", "ratio", "pty ratio", "cpu s", "cpu %", "peak MB", "1st ans", "done");
    bool failed = false;
    int retried = 0;
    double worstRatio = 0, worstCpuShare = 0, worstPeakMb = 0;
    Breakdown breakdown[3];
    for (int kind = 0; kind < 3 && !failed; ++kind) {
        const bool read = kind == 0;
        const LineTraffic& traffic = read ? readTraffic : kind == 1 ? writeTraffic : safeTraffic;
        for (int run = 1; run <= options.runs && !failed; ++run) {
            std::vector<std::string> argv{
                q36cli,    read ? "read" : "write", "--port", radio.Port(), "--band",
                "400-440", read ? "--out" : "--in", workbook};
            if (kind == 1) argv.insert(argv.end() - 2, {"--no-backup", "--no-verify"});
            RunResult r = RunTransfer(argv);
            if (r.exitCode != 0 && retried < kRetries) {
                // The radio sleeps between its bytes; on a loaded machine it can be held up for
                // 100 ms in the middle of an answer, and the program then takes the answer's
                // two pieces for two deliveries. Such a run is shown and run once more.
                ++retried;
                std::printf("%-5s %3d failed with exit code %d, run again:%s\n", kinds[kind], run,
                            r.exitCode, Messages(r.stderrText).c_str());
                r = RunTransfer(argv);
            }
            if (r.exitCode != 0) {
                std::fprintf(stderr, "transfer_bench: %s run %d exited %d:\n%s\n", kinds[kind], run,
                             r.exitCode, r.stderrText.c_str());
                failed = true;
                break;
            }
            const double floor = traffic.FloorSeconds();
            const double ratio = r.wall / floor;
            const double cpuShare = r.cpu / r.wall;
            worstRatio = std::max(worstRatio, ratio);
            worstCpuShare = std::max(worstCpuShare, cpuShare);
            worstPeakMb = std::max(worstPeakMb, r.peakMb);
            std::printf("%-5s %3d %8.3f %8.3f %6.3f %9.3f %8.3f %6.2f %8.1f %8.3f %8.3f\n",
                        kinds[kind], run, r.wall, floor, ratio, r.wall / traffic.PtyFloorSeconds(),
                        r.cpu, 100.0 * cpuShare, r.peakMb, r.firstAnswer, r.lastAnswer);

            // The first answer is the handshake reply; what comes before it beyond the reply's own
            // time on the line is the program starting and preparing. Over the pty the program's
            // bytes take no line time, so the exchange is set against the radio's side alone.
            Breakdown& b = breakdown[kind];
            const double handshakeOnPty = kHandshakeReplyFrame / kLineBytesPerSecond + kIdleSeconds;
            b.startUp += r.firstAnswer - handshakeOnPty;
            b.exchange += r.lastAnswer - r.firstAnswer;
            b.exchangeFloor += traffic.PtyFloorSeconds() - handshakeOnPty;
            b.finish += r.wall - r.lastAnswer;
            ++b.runs;
        }
    }
    const double radioCpu = radio.Stop();
    if (failed) return 1;

    std::printf(
        "\nwhere the time goes (means; the exchange against the radio's paced answers and "
        "pauses):\n");
    for (int kind = 0; kind < 3; ++kind) {
        const Breakdown& b = breakdown[kind];
        if (b.runs == 0) continue;
        std::printf(
            "%-5s  start-up before the first answer %.3f s, exchange %.3f s (least %.3f s), "
            "after the last answer %.3f s\n",
            kinds[kind], b.startUp / b.runs, b.exchange / b.runs, b.exchangeFloor / b.runs,
            b.finish / b.runs);
    }
    const double lineByte = 1.0 / kLineBytesPerSecond;
    std::printf(
        "virtual radio: %.3f ms a byte against the line's %.3f ms, which adds %.3f s to a read "
        "and %.3f s to a write; %.3f s CPU over all runs\n",
        1e3 * radioByte, 1e3 * lineByte, (radioByte - lineByte) * readTraffic.radioBytes,
        (radioByte - lineByte) * writeTraffic.radioBytes, radioCpu);

    if (retried > 0) std::printf("failed transfers run again: %d\n", retried);

    auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    std::printf(
        "\ntargets: ratio <= %.2f: worst %.3f %s; CPU < %.0f%% of wall: worst %.2f%% %s; "
        "peak memory < %.0f MB: worst %.1f MB %s\n",
        kRatioTarget, worstRatio, verdict(worstRatio <= kRatioTarget), 100 * kCpuShareTarget,
        100 * worstCpuShare, verdict(worstCpuShare < kCpuShareTarget), kPeakMemoryTargetMb,
        worstPeakMb, verdict(worstPeakMb < kPeakMemoryTargetMb));
    return 0;
}
