#pragma once
// Program-wide values chosen in the start-up dialogs and read-only afterwards.

#include <string>

namespace q36 {

extern std::string BandText;  // the chosen band entry, such as "400-440"
extern int BandIndex;         // position of the band entry, 0..4; first handshake byte
extern int BandLowMHz;        // band limits in whole MHz, both included in every check
extern int BandHighMHz;
extern int FactoryLock;   // 1 from start-up on: the factory parameters are never sent
extern bool HasScanList;  // the radio variant with five scan lists

}  // namespace q36
