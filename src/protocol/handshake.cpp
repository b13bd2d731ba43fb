#include "handshake.h"

#include "frame.h"
#include "text/text_pairs.h"

namespace q36 {

std::array<uint8_t, 5> HandshakePayload(int bandIndex, const std::string& password) {
    std::array<uint8_t, HANDSHAKE_PAYLOAD> payload = {uint8_t(bandIndex), 0, 0, 0, 0x18};
    for (std::size_t i = 0; i < 3 && i < password.size(); ++i)
        payload[1 + i] = uint8_t(password[i]);
    return payload;
}

HandshakeAnswer ReadHandshakeAnswer(std::span<const uint8_t> delivery) {
    HandshakeAnswer answer;
    if (delivery.size() <= 4) return answer;
    const uint8_t command = delivery[FRAME_COMMAND_OFFSET];
    if (command == CMD_HANDSHAKE_REPLY && CheckReceivedFrame(delivery, HANDSHAKE_REPLY_PAYLOAD)) {
        answer.kind = HandshakeAnswer::Kind::Reply;
        answer.firmware = {delivery[4], delivery[5], delivery[6]};
    } else if (command == CMD_STATUS) {
        answer.kind = HandshakeAnswer::Kind::Status;
        answer.status = delivery[4];
    }
    return answer;
}

std::string FirmwareVersionText(const std::array<uint8_t, 3>& firmware) {
    return std::to_string(firmware[0]) + "." + std::to_string(firmware[1]) + "." +
           std::to_string(firmware[2]);
}

const TextPair* RadioStatusMessage(uint8_t status) {
    switch (status) {
        case ST_MODEL_MISMATCH:
            return &txt::MsgModelMismatch;
        case ST_BAD_PASSWORD:
            return &txt::MsgWrongPassword;
        case ST_CHECKSUM_ERROR:
            return &txt::MsgChecksumError;
        case ST_UNKNOWN_COMMAND:
            return &txt::MsgUnknownHandshake;
        default:
            return nullptr;
    }
}

}  // namespace q36
