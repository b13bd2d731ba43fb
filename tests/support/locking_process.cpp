#include "locking_process.h"

#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace q36::test {

LockingProcess::LockingProcess(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
        ::close(ready[0]);
        sqlite3* db = nullptr;
        char answer = 'F';
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK) {
            answer = 'L';
        }
        if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
        ::sleep(10);
        ::_exit(0);  // the lock goes with the process
    }
    ::close(ready[1]);
    char answer = 0;
    held_ = child_ > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'L';
    ::close(ready[0]);
}

LockingProcess::~LockingProcess() {
    Release();
}

void LockingProcess::Release() {
    if (child_ <= 0) return;
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
    child_ = -1;
}

}  // namespace q36::test
