#pragma once
// A numbered notice that a port thread posts to the component that owns the port.

#include <cstdint>
#include <vector>

namespace q36 {

// Notice codes, the first five user message numbers of the original platform.
enum NoticeCode : uint32_t {
    NoticeReceiveData = 1025,   // wParam = byte count, block = the bytes and a final 0
    NoticeReceiveError = 1026,  // lParam = line-error flags (CommErrorFlag)
    NoticeHangup = 1027,        // a port thread failed and has ended
    NoticeModemState = 1028,    // lParam = ModemRing, ModemCarrier or both
    NoticeSendEmpty = 1029,     // the writer's queue ran empty
};

// Owns the received bytes it carries, so a block changes owner exactly once: from the reader
// to whoever holds the notice, and is released with the notice.
struct Notice {
    uint32_t code = 0;
    uint32_t wParam = 0;
    uintptr_t lParam = 0;
    std::vector<uint8_t> block;
    // The opening of the port that posted it; 0 for a notice from elsewhere.
    uint32_t session = 0;
};

}  // namespace q36
