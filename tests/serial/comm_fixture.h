#pragma once
// A pseudo-terminal standing in for the radio's cable, and a component whose events are logged.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"

namespace q36::test {

using namespace std::chrono_literals;

// The master side plays the radio; the component opens the slave by its path. The slave
// descriptor stays open too, for reading the attributes back.
class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int Master() const { return master_; }
    int Slave() const { return slave_; }
    const std::string& SlavePath() const { return slavePath_; }

    void WriteMaster(const std::vector<uint8_t>& bytes);
    // Reads until count bytes arrived or timeout passed.
    std::vector<uint8_t> ReadMaster(size_t count, std::chrono::milliseconds timeout);
    void CloseMaster();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// The message OpenPort raised, or "opened"; errorNumber receives the error's errno.
std::string OpenFailure(TComm& comm, int* errorNumber = nullptr);

// Counts of what the process holds, for leak checks.
int OpenFdCount();
int ThreadCount();

// A component on a queue receiver, with every event recorded.
struct LoggedComm {
    LoggedComm();

    // Dispatches notices until done() holds or timeout passes; returns done().
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    void RunFor(std::chrono::milliseconds duration);
    // All bytes delivered so far, joined.
    std::vector<uint8_t> Received() const;

    QueueNoticeReceiver queue;
    TComm comm{queue};
    std::vector<std::vector<uint8_t>> deliveries;
    bool allTerminated = true;  // every buffer had a 0 after its last byte
    int hangups = 0;
    int sendEmpty = 0;
    std::vector<std::string> order;  // event names in the order raised
};

// Bytes 0, 1, 2 ... wrapping at 256.
std::vector<uint8_t> Pattern(size_t count, uint8_t first = 0);

}  // namespace q36::test
