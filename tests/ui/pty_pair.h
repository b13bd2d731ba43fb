#pragma once
// A pseudo-terminal for tests that need a port which exists: the slave path is what the program
// opens, the master stays with the test.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace q36::test {

class PtyPair {
  public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            if (const char* name = ::ptsname(master_)) slave_ = name;
        }
    }
    ~PtyPair() {
        if (master_ >= 0) ::close(master_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return !slave_.empty(); }
    const std::string& SlavePath() const { return slave_; }

  private:
    int master_ = -1;
    std::string slave_;
};

// Sets Q36_PORTS for the lifetime of the object.
class PortsSetting {
  public:
    explicit PortsSetting(const std::string& ports) { ::setenv("Q36_PORTS", ports.c_str(), 1); }
    ~PortsSetting() { ::setenv("Q36_PORTS", "", 1); }
};

}  // namespace q36::test
