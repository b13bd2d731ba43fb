#include "serial/port_timeouts.h"

namespace q36 {

namespace {
constexpr uint32_t kMaxDword = 0xFFFFFFFFu;
}

ReadTiming ReadTimingOf(const CommTimeouts& timeouts, size_t bufferSize) {
    using std::chrono::milliseconds;
    ReadTiming timing;
    const bool returnAtOnce = timeouts.readIntervalTimeout == kMaxDword;
    if (returnAtOnce) {
        timing.idle = milliseconds(0);
    } else if (timeouts.readIntervalTimeout != 0) {
        timing.idle = milliseconds(timeouts.readIntervalTimeout);
    }
    // Both MAXDWORD: wait up to the constant for the first byte, then return at once.
    const uint64_t multiplier = (returnAtOnce && timeouts.readTotalTimeoutMultiplier == kMaxDword)
                                    ? 0
                                    : timeouts.readTotalTimeoutMultiplier;
    const uint64_t total = multiplier * bufferSize + timeouts.readTotalTimeoutConstant;
    if (total != 0) timing.total = milliseconds(total);
    return timing;
}

void PortTimeouts::Store(const CommTimeouts& timeouts) {
    std::lock_guard lock(mutex_);
    timeouts_ = timeouts;
}

CommTimeouts PortTimeouts::Load() const {
    std::lock_guard lock(mutex_);
    return timeouts_;
}

}  // namespace q36
