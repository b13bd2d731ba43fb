#pragma once
// Line errors, ring and carrier changes, taken from the kernel's per-port counters
// (TIOCGICOUNT). Many devices, pseudo-terminals among them, keep no such counters.

#include <cstdint>

namespace q36 {

// Line-error flags as OnReceiveError reports them (the original platform's CE_ values).
enum CommErrorFlag : uint32_t {
    CommErrorRxOver = 0x0001,  // the driver's receive buffer overflowed
    CommErrorOverrun = 0x0002,
    CommErrorRxParity = 0x0004,
    CommErrorFrame = 0x0008,
    CommErrorBreak = 0x0010,
};

// Modem state values of OnModemStateChange; both together make 12.
enum ModemEventValue : uint32_t {
    ModemRing = 4,
    ModemCarrier = 8,
};

struct LineCounters {
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufOverrun = 0;
    int dcd = 0;
    int rng = 0;
};

// What changed between two readings of the counters; 0 where nothing did.
struct LineEvents {
    uint32_t errorFlags = 0;
    uint32_t modemState = 0;
};

LineEvents LineEventsBetween(const LineCounters& before, const LineCounters& after);

enum class CounterRead {
    Ok,
    Unsupported,  // the device keeps no counters: no line events, and no failure
    Closed,       // the descriptor was closed under the caller
    Failed,       // the device failed (hangup, removal)
};

// Reads the counters of the open port fd.
CounterRead ReadLineCounters(int fd, LineCounters& counters);

}  // namespace q36
