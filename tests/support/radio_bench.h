#pragma once
// A transfer wired to a virtual radio through the in-process link, with an in-memory host.

#include "protocol/run_settings.h"
#include "protocol/transfer.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "support/memory_host.h"
#include "text/language.h"

namespace q36::test {

// The program's settings are the defaults (the 400-440 band, Chinese) with the radio's variant.
struct RadioBench {
    explicit RadioBench(RadioConfig config = {}, RadioImage image = DefaultRadioImage(400, 440))
        : settings(VariantOf(config)),
          radio(std::move(config), image),
          transfer(host, host, host, settings),
          link(radio) {
        host.onSend = [this](const uint8_t* data, uint16_t length) { link.Send(data, length); };
        transfer.PortOpen = true;
    }

    // Runs a whole read or write: the command, then every answer until the radio falls silent.
    void Read() {
        ReadCommand(transfer, host);
        Pump();
    }
    void Write() {
        WriteCommand(transfer, host);
        Pump();
    }
    // Hands the radio's answers to the transfer until it falls silent.
    int Pump() {
        return link.Pump(
            [this](const uint8_t* data, uint16_t length) { transfer.Receive(data, length); });
    }

    static RunSettings VariantOf(const RadioConfig& config) {
        RunSettings variant;
        variant.HasScanList = config.hasScanList;
        return variant;
    }

    RunSettings settings;  // held by the transfer below
    MemoryHost host;
    VirtualRadio radio;
    Transfer transfer;
    LoopbackLink link;
};

// Runs a read or write of the data side against the radio over the in-process link, as the
// commands do: the question answered yes, then every answer until the radio falls silent.
inline void TransferOverLink(TransferData& data, RecordingEffects& effects, VirtualRadio& radio,
                             bool read, const RunSettings& settings = {}) {
    Transfer transfer(data, effects, effects, settings);
    LoopbackLink link(radio);
    effects.onSend = [&link](const uint8_t* bytes, uint16_t length) { link.Send(bytes, length); };
    transfer.PortOpen = true;
    read ? ReadCommand(transfer, effects) : WriteCommand(transfer, effects);
    link.Pump(
        [&transfer](const uint8_t* bytes, uint16_t length) { transfer.Receive(bytes, length); });
}

}  // namespace q36::test
