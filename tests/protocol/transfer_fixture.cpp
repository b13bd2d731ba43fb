#include "transfer_fixture.h"

#include "text/language.h"

namespace q36::test {

void TransferTest::UseVariantWithoutScanLists() {
    settings.HasScanList = false;
    transfer.ApplyVariant();
}

void TransferTest::Deliver(const Bytes& bytes) {
    transfer.Receive(bytes.data(), uint16_t(bytes.size()));
}

std::vector<Bytes> TransferTest::TakeSentFrames() {
    std::vector<Bytes> frames;
    std::size_t i = 0;
    while (i + 3 < host.sent.size()) {
        const std::size_t size = std::size_t(host.sent[i + 3]) + FRAME_OVERHEAD;
        const std::size_t end = std::min(i + size, host.sent.size());
        frames.emplace_back(host.sent.begin() + std::ptrdiff_t(i),
                            host.sent.begin() + std::ptrdiff_t(end));
        i = end;
    }
    if (i < host.sent.size())
        frames.emplace_back(host.sent.begin() + std::ptrdiff_t(i), host.sent.end());
    host.sent.clear();
    return frames;
}

void TransferTest::StartRead() {
    transfer.PortOpen = true;
    ReadCommand(transfer, host);
    host.sent.clear();
}

void TransferTest::StartWrite() {
    transfer.PortOpen = true;
    WriteCommand(transfer, host);
    host.sent.clear();
}

Bytes TransferTest::Status(uint8_t code) {
    const uint8_t payload[1] = {code};
    return BuildFrame(CMD_STATUS, payload);
}

Bytes TransferTest::HandshakeReply(uint8_t major, uint8_t minor, uint8_t patch) {
    uint8_t payload[HANDSHAKE_REPLY_PAYLOAD] = {major, minor, patch};
    return BuildFrame(CMD_HANDSHAKE_REPLY, payload);
}

Bytes TransferTest::ReadData(const DataBlock& payload) {
    return BuildFrame(CMD_READ_DATA, payload);
}

}  // namespace q36::test
