#include "serial/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace q36 {

void RaiseThreadPriority(int steps) {
    // On Linux the nice value belongs to the thread (task) id, not to the process.
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, tid);
    if (current == -1 && errno != 0) return;
    // Lowering the nice value needs CAP_SYS_NICE or RLIMIT_NICE; without them this fails.
    (void)::setpriority(PRIO_PROCESS, tid, current - steps);
}

}  // namespace q36
