#pragma once
// A transfer wired to a virtual radio through the in-process link, with an in-memory host.

#include "protocol/run_settings.h"
#include "protocol/transfer.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "support/memory_host.h"
#include "text/language.h"

namespace q36::test {

struct RadioBench {
    explicit RadioBench(RadioConfig config = {}, RadioImage image = DefaultRadioImage(400, 440))
        : radio(std::move(config), image), transfer(host), link(transfer, radio) {
        host.onSend = [this](const uint8_t* data, uint16_t length) { link.Send(data, length); };
        transfer.PortOpen = true;
    }

    // Runs a whole read or write: the command, then every answer until the radio falls silent.
    void Read() {
        transfer.ReadTButClick();
        link.Pump();
    }
    void Write() {
        transfer.WriteTButClick();
        link.Pump();
    }

    MemoryHost host;
    VirtualRadio radio;
    Transfer transfer;
    LoopbackLink link;
};

// Restores the program-wide values a test changes.
struct ProgramDefaults {
    ProgramDefaults() { Reset(); }
    ~ProgramDefaults() { Reset(); }
    static void Reset() {
        LanguageIndex = 0;
        HasScanList = true;
        BandText = "400-440";
        BandIndex = 0;
        BandLowMHz = 400;
        BandHighMHz = 440;
    }
};

}  // namespace q36::test
