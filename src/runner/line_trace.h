#pragma once
// A record of the line for a difficult cable: every frame the program sent and every delivery the
// port made, with its time and bytes; a delivery that is no whole frame is marked as such.

#include <cstdint>
#include <string>
#include <vector>

#include "clock.h"
#include "protocol/frame.h"

namespace q36 {

class LineTrace {
  public:
    explicit LineTrace(const Clock& clock) : clock_(clock) {}

    // Forgets what was recorded: a new transfer starts.
    void Clear();
    bool Empty() const { return entries_.empty(); }

    // Bytes queued for the line; they are recorded frame by frame as the frames complete.
    void Sent(const uint8_t* data, std::size_t length);
    // One delivery of the port, as the transfer receives it.
    void Delivered(const uint8_t* data, std::size_t length);

    // Tab-separated lines after a header: milliseconds since the first entry, "sent" or
    // "received", "frame" or "not-a-frame", the bytes in hexadecimal.
    std::string Text() const;

  private:
    struct Entry {
        Clock::TimePoint at;
        bool sent = false;
        std::vector<uint8_t> bytes;
    };
    void Add(bool sent, std::vector<uint8_t> bytes);

    const Clock& clock_;
    FrameSplitter sentFrames_;
    std::vector<Entry> entries_;
};

}  // namespace q36
