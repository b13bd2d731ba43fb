#pragma once
// Serves a virtual radio on the master side of a pseudo-terminal, so that a program opening the
// slave device talks to it exactly as to a radio on a serial port.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

#include "virtual_radio.h"

namespace q36 {

class PtyRadioServer {
  public:
    explicit PtyRadioServer(VirtualRadio& radio);
    ~PtyRadioServer();
    PtyRadioServer(const PtyRadioServer&) = delete;
    PtyRadioServer& operator=(const PtyRadioServer&) = delete;

    // Creates the pseudo-terminal; false with a reason when the system refuses one.
    bool Open(std::string& error);

    // The device path a program opens, such as /dev/pts/3.
    const std::string& SlavePath() const { return slavePath_; }

    // Sends answers at 9600 baud (about 1.04 ms a byte) instead of all at once.
    void SetPaced(bool paced) { paced_ = paced; }

    // Pause the line makes before the second piece of a split answer.
    void SetSplitPause(std::chrono::milliseconds pause) { splitPause_ = pause; }

    // Moves bytes until stop becomes true; checks it at least every 50 ms.
    void Run(const std::atomic<bool>& stop);

    // One step of Run: waits up to timeout for bytes from the program and answers them.
    void Poll(std::chrono::milliseconds timeout);

    // Closes the master side, as a cable pulled out of the computer would. Safe to call from
    // another thread while Run is serving: it waits for the step under way to finish.
    void CloseMaster();

  private:
    void CloseMasterLocked();
    void WriteAll(const std::vector<uint8_t>& bytes);

    VirtualRadio& radio_;
    std::mutex lineMutex_;  // held while a step uses the master, so it is not closed under it
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the line up while no program has the slave open
    std::string slavePath_;
    bool paced_ = false;
    std::chrono::milliseconds splitPause_{150};
};

}  // namespace q36
