#include "line_trace.h"

#include <cstdio>

#include "codec/bits.h"

namespace q36 {

namespace {

// A whole frame: its head, the length its length byte gives, its tail.
bool WholeFrame(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < std::size_t(FRAME_OVERHEAD) || bytes[0] != FRAME_HEAD[0] ||
        bytes[1] != FRAME_HEAD[1])
        return false;
    if (bytes.size() != std::size_t(FRAME_OVERHEAD + bytes[FRAME_LENGTH_OFFSET])) return false;
    for (std::size_t i = 0; i < FRAME_TAIL.size(); ++i) {
        if (bytes[bytes.size() - FRAME_TAIL.size() + i] != FRAME_TAIL[i]) return false;
    }
    return true;
}

}  // namespace

void LineTrace::Clear() {
    entries_.clear();
    sentFrames_.TakeRest();
}

void LineTrace::Add(bool sent, std::vector<uint8_t> bytes) {
    entries_.push_back({clock_.Now(), sent, std::move(bytes)});
}

void LineTrace::Sent(const uint8_t* data, std::size_t length) {
    for (std::vector<uint8_t>& frame : sentFrames_.Push(data, length)) Add(true, std::move(frame));
}

void LineTrace::Delivered(const uint8_t* data, std::size_t length) {
    Add(false, std::vector<uint8_t>(data, data + length));
}

std::string LineTrace::Text() const {
    std::string text = "# ms\tdirection\tkind\tbytes\n";
    for (const Entry& entry : entries_) {
        const double ms =
            std::chrono::duration<double, std::milli>(entry.at - entries_.front().at).count();
        char time[32];
        std::snprintf(time, sizeof time, "%.1f", ms);
        text += std::string(time) + (entry.sent ? "\tsent\t" : "\treceived\t") +
                (WholeFrame(entry.bytes) ? "frame\t" : "not-a-frame\t");
        for (std::size_t i = 0; i < entry.bytes.size(); ++i)
            text += (i ? " " : "") + ByteToHex(entry.bytes[i]);
        text += '\n';
    }
    return text;
}

}  // namespace q36
