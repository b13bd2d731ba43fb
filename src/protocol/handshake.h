#pragma once
// The handshake on its own: the frame every transfer opens with, and what the radio's first
// answer to it says (its firmware, or a status), for the checks that ask nothing more of it.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "text/language.h"

namespace q36 {

// The handshake's payload: the band index, the first three characters of the password (0 for
// missing ones), 0x18.
std::array<uint8_t, 5> HandshakePayload(int bandIndex, const std::string& password);

// What a delivery says in answer to a handshake.
struct HandshakeAnswer {
    enum class Kind {
        None,    // no answer to a handshake: another frame, a damaged reply, noise, nothing
        Reply,   // the handshake reply, which carries the firmware version
        Status,  // a status frame: 0 accepts the handshake without a reply, 1..4 refuse it
    };
    Kind kind = Kind::None;
    std::array<uint8_t, 3> firmware{};  // with Reply
    uint8_t status = 0;                 // with Status

    bool Accepted() const { return kind == Kind::Reply || (kind == Kind::Status && status == 0); }
};

// Reads one delivery the way a transfer does: a reply must pass the received-frame check, a
// status frame is taken by its first status byte.
HandshakeAnswer ReadHandshakeAnswer(std::span<const uint8_t> delivery);

// The firmware version as decimal numbers joined by "." ("1.0.3").
std::string FirmwareVersionText(const std::array<uint8_t, 3>& firmware);

// The message of a refusing status 1..4; none for 0 and unknown ones.
const TextPair* RadioStatusMessage(uint8_t status);

}  // namespace q36
