#pragma once
// Another process holding an exclusive lock on a database file for 10 s, or until destroyed, as
// a second program busy with the same file would.

#include <sys/types.h>

#include <string>

namespace q36::test {

class LockingProcess {
  public:
    explicit LockingProcess(const std::string& path);
    ~LockingProcess();
    LockingProcess(const LockingProcess&) = delete;
    LockingProcess& operator=(const LockingProcess&) = delete;

    // The lock was taken (the file is an SQLite database the process could lock).
    bool Held() const { return held_; }
    // Ends the process, and with it the lock, before the 10 s are up.
    void Release();

  private:
    pid_t child_ = -1;
    bool held_ = false;
};

}  // namespace q36::test
