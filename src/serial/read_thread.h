#pragma once
// The port reader: keeps a read pending on the port at all times and posts what it collects,
// line events and failures as notices. It never touches the component or calls user code.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "serial/line_events.h"
#include "serial/notice_receiver.h"
#include "serial/port_timeouts.h"

namespace q36 {

class TReadThread {
  public:
    // Largest delivery.
    static constexpr size_t kReadBufferSize = 2048;

    // port and closeEvent stay owned by the caller and open until Join() has returned.
    TReadThread(int port, int closeEvent, NoticeReceiver& receiver, const PortTimeouts& timeouts);
    ~TReadThread();
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    // Starts the thread; throws std::system_error when it cannot be created.
    void Start();
    // Waits until the thread has ended; it ends once the close event is set.
    void Join();

  private:
    using Clock = std::chrono::steady_clock;

    void Run();
    void Serve();
    void ArmRead();
    bool ReadAvailable(short revents);
    bool CheckLineEvents();
    bool Deliver();
    bool Post(uint32_t code, uintptr_t lParam);
    void PostHangup();

    const int port_;
    const int closeEvent_;
    NoticeReceiver& receiver_;
    const PortTimeouts& timeouts_;
    std::thread thread_;

    // The pending read request.
    std::array<uint8_t, kReadBufferSize> buffer_{};
    size_t count_ = 0;
    ReadTiming timing_;
    Clock::time_point started_;
    Clock::time_point lastByte_;

    bool watchLines_ = false;
    LineCounters counters_;
};

}  // namespace q36
