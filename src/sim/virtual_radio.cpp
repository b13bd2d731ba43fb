#include "virtual_radio.h"

#include <algorithm>

#include "codec/bits.h"
#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"
#include "codec/text_checks.h"
#include "protocol/frame.h"

namespace q36 {

namespace {

bool ParseInts(const std::string& text, std::vector<int>& out, std::size_t count) {
    out.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t colon = text.find(':', start);
        const std::string part =
            text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        long long value;
        if (part.empty() || !IsDigits(part) || !TextToInt(part, value)) return false;
        out.push_back(int(value));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return out.size() == count;
}

}  // namespace

bool ParseFault(const std::string& text, RadioFaults& faults, std::string& error) {
    const std::size_t eq = text.find('=');
    const std::string name = text.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    std::vector<int> n;
    if (name == "handshake-status" && ParseInts(value, n, 1) && n[0] <= 255) {
        faults.handshakeStatus = n[0];
    } else if (name == "silent-after" && ParseInts(value, n, 1)) {
        faults.silentAfter = n[0];
    } else if (name == "corrupt" && ParseInts(value, n, 2)) {
        faults.corrupt.push_back({n[0], n[1]});
    } else if (name == "split" && ParseInts(value, n, 2)) {
        faults.split.push_back({n[0], n[1]});
    } else if (name == "write-status" && ParseInts(value, n, 3) && n[2] <= 255) {
        faults.writeStatus.push_back({{n[0], n[1]}, n[2]});
    } else if (name == "garbage-before" && ParseInts(value, n, 2)) {
        faults.garbageBefore.push_back({n[0], n[1]});
    } else if (name == "duplicate" && ParseInts(value, n, 2)) {
        faults.duplicate.push_back({n[0], n[1]});
    } else if (name == "hangup-after" && ParseInts(value, n, 1)) {
        faults.hangupAfter = n[0];
    } else if (name == "cut-in" && ParseInts(value, n, 2)) {
        faults.cutIn.push_back({n[0], n[1]});
    } else if (name == "alter" && ParseInts(value, n, 2)) {
        faults.alter.push_back({n[0], n[1]});
    } else {
        error = "unknown fault '" + text +
                "' (handshake-status=N, silent-after=K, corrupt=TYPE:INDEX, split=TYPE:INDEX, "
                "write-status=TYPE:INDEX:N, garbage-before=TYPE:INDEX, duplicate=TYPE:INDEX, "
                "hangup-after=K, cut-in=TYPE:INDEX, alter=TYPE:INDEX)";
        return false;
    }
    return true;
}

VirtualRadio::VirtualRadio(RadioConfig config, RadioImage image)
    : config_(std::move(config)), image_(image) {}

bool VirtualRadio::Listed(const std::vector<BlockRef>& list, int type, int index) const {
    return std::find(list.begin(), list.end(), BlockRef{type, index}) != list.end();
}

void VirtualRadio::Receive(const uint8_t* data, std::size_t length) {
    const auto& cut = config_.faults.hangupAfter;
    if (lineCut_ || (cut && answersSent_ >= *cut && length > 0)) {
        lineCut_ = true;
        return;
    }
    pending_.insert(pending_.end(), data, data + length);
    // Take every complete frame; bytes before a frame head are line noise and skipped.
    for (;;) {
        std::size_t head = 0;
        while (head + 1 < pending_.size() &&
               !(pending_[head] == FRAME_HEAD[0] && pending_[head + 1] == FRAME_HEAD[1])) {
            ++head;
        }
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(head));
        if (pending_.size() < 4) return;
        const std::size_t total = std::size_t(pending_[FRAME_LENGTH_OFFSET]) + FRAME_OVERHEAD;
        if (pending_.size() < total) return;
        const bool tailOk = std::equal(FRAME_TAIL.begin(), FRAME_TAIL.end(),
                                       pending_.begin() + std::ptrdiff_t(total - 3));
        if (!tailOk) {
            // Not a frame after all: resynchronise on the next head.
            pending_.erase(pending_.begin());
            continue;
        }
        std::vector<uint8_t> frame(pending_.begin(), pending_.begin() + std::ptrdiff_t(total));
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(total));
        received_.push_back(frame);
        if (onFrameReceived) onFrameReceived(frame);
        HandleFrame(frame);
    }
}

std::vector<std::vector<uint8_t>> VirtualRadio::TakeDeliveries() {
    pauseBefore_ = std::move(nextPause_);
    nextPause_.clear();
    return std::exchange(deliveries_, {});
}

void VirtualRadio::Answer(uint8_t command, std::span<const uint8_t> payload, BlockRef about) {
    if (config_.faults.silentAfter && answersSent_ >= *config_.faults.silentAfter) return;
    ++answersSent_;
    std::vector<uint8_t> frame = BuildFrame(command, payload);
    if (Listed(config_.faults.corrupt, about.type, about.index) &&
        !Listed(corruptedOnce_, about.type, about.index)) {
        frame[4 + payload.size()] ^= 0xFF;
        corruptedOnce_.push_back(about);
    }
    if (Listed(config_.faults.duplicate, about.type, about.index)) {
        const std::vector<uint8_t> once = frame;
        frame.insert(frame.end(), once.begin(), once.end());
    }
    if (Listed(config_.faults.garbageBefore, about.type, about.index)) {
        frame.insert(frame.begin(), LINE_NOISE.begin(), LINE_NOISE.end());
    }
    if (Listed(config_.faults.cutIn, about.type, about.index)) {
        deliveries_.emplace_back(frame.begin(), frame.begin() + std::ptrdiff_t(frame.size() / 2));
        nextPause_.push_back(false);
        cutAfterDeliveries_ = true;
    } else if (Listed(config_.faults.split, about.type, about.index)) {
        const std::size_t half = frame.size() / 2;
        deliveries_.emplace_back(frame.begin(), frame.begin() + std::ptrdiff_t(half));
        nextPause_.push_back(false);
        deliveries_.emplace_back(frame.begin() + std::ptrdiff_t(half), frame.end());
        nextPause_.push_back(true);
    } else {
        deliveries_.push_back(std::move(frame));
        nextPause_.push_back(false);
    }
}

void VirtualRadio::SendStatus(uint8_t status, BlockRef about) {
    const uint8_t payload[1] = {status};
    Answer(CMD_STATUS, payload, about);
}

void VirtualRadio::SendBlock(int type, int index) {
    DataBlock block = image_.Block(type, index);
    block[BLOCK_TYPE_OFFSET] = uint8_t(type);
    block[BLOCK_INDEX_OFFSET] = uint8_t(index);
    Answer(CMD_READ_DATA, block, {type, index});
}

void VirtualRadio::HandleFrame(const std::vector<uint8_t>& frame) {
    const std::size_t n = frame[FRAME_LENGTH_OFFSET];
    const std::span<const uint8_t> payload(frame.data() + 4, n);
    if (XorChecksum(std::span<const uint8_t>(frame).subspan(2, n + 2)) != frame[4 + n]) {
        phase_ = Phase::Idle;
        return SendStatus(ST_CHECKSUM_ERROR);
    }
    const uint8_t command = frame[FRAME_COMMAND_OFFSET];
    if (command == CMD_HANDSHAKE) {
        handshaken_ = false;
        phase_ = Phase::Idle;
        if (n != HANDSHAKE_PAYLOAD) return SendStatus(ST_UNKNOWN_COMMAND);
        if (payload[0] != config_.bandIndex) return SendStatus(ST_MODEL_MISMATCH);
        for (std::size_t i = 0; i < 3; ++i) {
            const uint8_t expected = i < config_.password.size() ? uint8_t(config_.password[i]) : 0;
            if (payload[1 + i] != expected) return SendStatus(ST_BAD_PASSWORD);
        }
        handshaken_ = true;
        constexpr BlockRef kHandshake{0, 0};
        if (config_.faults.handshakeStatus) {
            return SendStatus(uint8_t(*config_.faults.handshakeStatus), kHandshake);
        }
        uint8_t reply[HANDSHAKE_REPLY_PAYLOAD] = {config_.version[0], config_.version[1],
                                                  config_.version[2]};
        return Answer(CMD_HANDSHAKE_REPLY, reply, kHandshake);
    }
    if (!handshaken_) return SendStatus(ST_UNKNOWN_COMMAND);

    switch (command) {
        case CMD_READ_REQUEST: {
            const int type = n == 1 ? payload[0] : 0;
            if (type == BLOCK_COMMON) {
                phase_ = Phase::Idle;
                return SendBlock(BLOCK_COMMON, 0);
            }
            if (type == BLOCK_CHANNEL) {
                phase_ = Phase::Channels;
                nextIndex_ = 1;
                return SendBlock(BLOCK_CHANNEL, 0);
            }
            if (type == BLOCK_SCAN && config_.hasScanList) {
                phase_ = Phase::Scans;
                nextIndex_ = 1;
                return SendBlock(BLOCK_SCAN, 0);
            }
            return SendStatus(ST_UNKNOWN_COMMAND);
        }
        case CMD_STATUS: {
            // The program acknowledges each block; status 0 asks for the next one.
            if (n != 1 || payload[0] != ST_OK) {
                phase_ = Phase::Idle;
                return;
            }
            if (phase_ == Phase::Channels && nextIndex_ < CHANNEL_COUNT)
                return SendBlock(BLOCK_CHANNEL, nextIndex_++);
            if (phase_ == Phase::Scans && nextIndex_ < SCAN_LIST_COUNT)
                return SendBlock(BLOCK_SCAN, nextIndex_++);
            phase_ = Phase::Idle;
            return;
        }
        case CMD_WRITE_DATA: {
            if (n != DATA_PAYLOAD) return SendStatus(ST_UNKNOWN_COMMAND);
            const int type = payload[BLOCK_TYPE_OFFSET];
            const int index = payload[BLOCK_INDEX_OFFSET];
            if (RadioImage::Slot(type, index) < 0 || (type == BLOCK_SCAN && !config_.hasScanList)) {
                return SendStatus(ST_UNKNOWN_COMMAND);
            }
            for (const auto& fault : config_.faults.writeStatus) {
                if (fault.block == BlockRef{type, index})
                    return SendStatus(uint8_t(fault.status), {type, index});
            }
            DataBlock& kept = image_.Block(type, index);
            std::copy(payload.begin(), payload.end(), kept.begin());
            if (Listed(config_.faults.alter, type, index)) {
                // One field kept other than written: a channel's receive frequency one unit up,
                // the common block's TOT one second longer, a scan list's first slot.
                const int at = type == BLOCK_CHANNEL  ? channel_layout::RxFrequency
                               : type == BLOCK_COMMON ? common_layout::Tot
                                                      : SCAN_SLOTS_OFFSET;
                ++kept[std::size_t(at)];
            }
            if (onImageChanged) onImageChanged(image_);
            return SendStatus(ST_OK, {type, index});
        }
        default:
            return SendStatus(ST_UNKNOWN_COMMAND);
    }
}

}  // namespace q36
