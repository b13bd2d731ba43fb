#pragma once
// The port's timeouts, which the component sets and the reader consults at every read request.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>

namespace q36 {

// Milliseconds, in the order of the original platform's record. 0 means "not used".
struct CommTimeouts {
    uint32_t readIntervalTimeout = 100;
    uint32_t readTotalTimeoutMultiplier = 0;
    uint32_t readTotalTimeoutConstant = 0;
    // Stored only: a write that runs out of time completes with part of the block and the writer
    // goes on with the rest, so a write time limit changes nothing a caller can see.
    uint32_t writeTotalTimeoutMultiplier = 0;
    uint32_t writeTotalTimeoutConstant = 0;

    bool operator==(const CommTimeouts&) const = default;
};

// When a read request completes, besides a full buffer.
struct ReadTiming {
    // After the first byte, the line idle this long completes the read. MAXDWORD means at once,
    // as soon as no further byte is waiting.
    std::optional<std::chrono::milliseconds> idle;
    // From the start of the request, completes the read with whatever arrived, perhaps nothing.
    std::optional<std::chrono::milliseconds> total;
};

// The read rules of timeouts for a request of bufferSize bytes.
ReadTiming ReadTimingOf(const CommTimeouts& timeouts, size_t bufferSize);

// Shared between the owner thread, which stores, and the reader, which loads.
class PortTimeouts {
  public:
    void Store(const CommTimeouts& timeouts);
    CommTimeouts Load() const;

  private:
    mutable std::mutex mutex_;
    CommTimeouts timeouts_;
};

}  // namespace q36
