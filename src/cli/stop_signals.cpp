#include "stop_signals.h"

#include <atomic>
#include <csignal>

namespace q36::cli {

namespace {

std::atomic<int> stopSignal{0};

extern "C" void OnStopSignal(int signal) {
    int none = 0;
    stopSignal.compare_exchange_strong(none, signal);
}

}  // namespace

void InstallStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() {
    return stopSignal.load();
}

int ExitCodeOfSignal(int signal) {
    return 128 + signal;
}

}  // namespace q36::cli
