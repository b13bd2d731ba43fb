#pragma once
// The virtual radio answering on a pseudo-terminal from a thread of its own.

#include <atomic>
#include <string>
#include <thread>

#include "sim/pty_radio_server.h"

namespace q36::test {

class RadioOnPty {
  public:
    explicit RadioOnPty(RadioImage image, RadioConfig config = {})
        : radio_(std::move(config), image), server_(radio_) {}
    ~RadioOnPty() { Stop(); }
    RadioOnPty(const RadioOnPty&) = delete;
    RadioOnPty& operator=(const RadioOnPty&) = delete;

    bool Start() {
        std::string error;
        if (!server_.Open(error)) return false;
        thread_ = std::thread([this] { server_.Run(stop_); });
        return true;
    }
    // The radio may be looked at only once its thread has ended.
    VirtualRadio& StoppedRadio() {
        Stop();
        return radio_;
    }
    const RadioImage& StoppedImage() { return StoppedRadio().Image(); }
    const std::string& Path() const { return server_.SlavePath(); }
    // Pulls the cable: the master side closes while the radio's thread runs on.
    void CloseLine() { server_.CloseMaster(); }

  private:
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }

    VirtualRadio radio_;
    PtyRadioServer server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace q36::test
