#include "frame.h"

#include <utility>

#include "codec/bits.h"

namespace q36 {

std::vector<uint8_t> BuildFrame(uint8_t command, std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame(payload.size() + FRAME_OVERHEAD);
    frame[0] = FRAME_HEAD[0];
    frame[1] = FRAME_HEAD[1];
    frame[FRAME_COMMAND_OFFSET] = command;
    frame[FRAME_LENGTH_OFFSET] = uint8_t(payload.size() & 0xFF);
    std::copy(payload.begin(), payload.end(), frame.begin() + 4);
    frame[4 + payload.size()] =
        XorChecksum(std::span<const uint8_t>(frame).subspan(2, payload.size() + 2));
    for (std::size_t i = 0; i < FRAME_TAIL.size(); ++i)
        frame[5 + payload.size() + i] = FRAME_TAIL[i];
    return frame;
}

bool CheckReceivedFrame(std::span<const uint8_t> frame, int n) {
    const std::size_t checksumOffset = 4 + std::size_t(n);
    if (frame.size() <= checksumOffset) return false;
    if (XorChecksum(frame.subspan(2, std::size_t(n) + 2)) != frame[checksumOffset]) return false;
    return PayloadLengthHex(frame) == ByteToHex(frame[FRAME_LENGTH_OFFSET]);
}

std::vector<std::vector<uint8_t>> FrameSplitter::Push(const uint8_t* data, std::size_t length) {
    std::vector<std::vector<uint8_t>> out;
    for (std::size_t i = 0; i < length; ++i) {
        const uint8_t byte = data[i];
        const bool inFrame =
            held_.size() >= 2 && held_[0] == FRAME_HEAD[0] && held_[1] == FRAME_HEAD[1];
        if (!inFrame && byte == FRAME_HEAD[1] && !held_.empty() && held_.back() == FRAME_HEAD[0]) {
            // A head: the bytes before it began no frame.
            held_.pop_back();
            if (!held_.empty()) out.push_back(std::move(held_));
            held_ = {FRAME_HEAD[0], FRAME_HEAD[1]};
            continue;
        }
        held_.push_back(byte);
        if (inFrame && held_.size() > FRAME_LENGTH_OFFSET &&
            held_.size() == std::size_t(FRAME_OVERHEAD + held_[FRAME_LENGTH_OFFSET])) {
            out.push_back(std::move(held_));
            held_.clear();
        }
    }
    return out;
}

std::vector<uint8_t> FrameSplitter::TakeRest() {
    return std::exchange(held_, {});
}

}  // namespace q36
