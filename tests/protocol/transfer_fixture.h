#pragma once
// A transfer wired to an in-memory host, with the program-wide settings put back after each test.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/frame.h"
#include "protocol/transfer.h"
#include "support/memory_host.h"

namespace q36 {

// Shows a page field by field when a comparison fails.
inline void PrintTo(const CommonPage& p, std::ostream* out) {
    *out << "{lists " << p.aniMode << ' ' << p.lowAlarm << ' ' << p.lowBan << ' ' << p.powerPress
         << ' ' << p.keyAPress << ' ' << p.keyBPress << ' ' << p.scanPause << ' ' << p.scanRestart
         << ' ' << p.scanChanSel << ' ' << p.scanPauseSel << ", edits \"" << p.ani << "\" \""
         << p.tot << "\" \"" << p.lostTime << "\" \"" << p.highPower << "\" \"" << p.midPower
         << "\" \"" << p.lowPower << "\", checks " << p.temControl << ' ' << p.keyEnabled << '}';
}
}  // namespace q36

namespace q36::test {

using Bytes = std::vector<uint8_t>;

class TransferTest : public ::testing::Test {
  protected:
    RunSettings settings;  // the 400-440 band with scan lists; held by the transfer below
    MemoryHost host;
    Transfer transfer{host, host, host, settings};

    // Switches to the variant without scan lists, as the version dialog would.
    void UseVariantWithoutScanLists();

    // Hands bytes to the transfer as one delivery of the serial port.
    void Deliver(const Bytes& bytes);
    // The bytes sent since the last call, split into frames by their length bytes.
    std::vector<Bytes> TakeSentFrames();

    // Opens the port and gives the command, answered Yes; the handshake is taken off host.sent.
    void StartRead();
    void StartWrite();

    static Bytes Status(uint8_t code);
    static Bytes HandshakeReply(uint8_t major, uint8_t minor, uint8_t patch);
    static Bytes ReadData(const DataBlock& payload);
};

}  // namespace q36::test
