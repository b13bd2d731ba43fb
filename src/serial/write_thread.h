#pragma once
// The port writer: takes blocks from its own queue and puts each on the line whole and in
// order; posts NoticeSendEmpty each time the queue runs empty after sending, and once at start.

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "serial/notice_receiver.h"
#include "serial/send_queue.h"

namespace q36 {

class TWriteThread {
  public:
    // port and closeEvent stay owned by the caller and open until Join() has returned.
    // Throws std::system_error when the request queue cannot be created.
    TWriteThread(int port, int closeEvent, NoticeReceiver& receiver);
    ~TWriteThread();
    TWriteThread(const TWriteThread&) = delete;
    TWriteThread& operator=(const TWriteThread&) = delete;

    // Starts the thread; throws std::system_error when it cannot be created.
    void Start();
    // Waits until the thread has ended; it ends once the close event is set.
    void Join();

    // Queues a block of data bytes followed by one extra byte; the block now belongs to the
    // writer. False once the writer has ended.
    bool Post(std::vector<uint8_t> block);
    // Waits until every block posted so far is written to the port; false when the deadline
    // passes first or a block was given up.
    bool WaitUntilSent(std::chrono::steady_clock::time_point deadline) {
        return queue_.WaitUntilSent(deadline);
    }

  private:
    enum class Wait { Ready, Closing, Failed };

    void Run();
    void Serve();
    bool SendBlock(const std::vector<uint8_t>& block);
    Wait WaitFor(int fd, short events);
    bool CloseEventSet() const;
    void PostHangup();

    const int port_;
    const int closeEvent_;
    NoticeReceiver& receiver_;
    SendQueue queue_;
    std::thread thread_;
};

}  // namespace q36
