#include "serial/line_events.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace q36 {

LineEvents LineEventsBetween(const LineCounters& before, const LineCounters& after) {
    LineEvents events;
    auto changed = [](int a, int b) { return a != b; };
    if (changed(before.bufOverrun, after.bufOverrun)) events.errorFlags |= CommErrorRxOver;
    if (changed(before.overrun, after.overrun)) events.errorFlags |= CommErrorOverrun;
    if (changed(before.parity, after.parity)) events.errorFlags |= CommErrorRxParity;
    if (changed(before.frame, after.frame)) events.errorFlags |= CommErrorFrame;
    if (changed(before.brk, after.brk)) events.errorFlags |= CommErrorBreak;
    if (changed(before.rng, after.rng)) events.modemState |= ModemRing;
    if (changed(before.dcd, after.dcd)) events.modemState |= ModemCarrier;
    return events;
}

CounterRead ReadLineCounters(int fd, LineCounters& counters) {
    serial_icounter_struct icount{};
    if (::ioctl(fd, TIOCGICOUNT, &icount) != 0) {
        switch (errno) {
            case ENOTTY:
            case EINVAL:
            case EOPNOTSUPP:
                return CounterRead::Unsupported;
            case EBADF:
                return CounterRead::Closed;
            default:
                return CounterRead::Failed;
        }
    }
    counters.frame = icount.frame;
    counters.overrun = icount.overrun;
    counters.parity = icount.parity;
    counters.brk = icount.brk;
    counters.bufOverrun = icount.buf_overrun;
    counters.dcd = icount.dcd;
    counters.rng = icount.rng;
    return CounterRead::Ok;
}

}  // namespace q36
