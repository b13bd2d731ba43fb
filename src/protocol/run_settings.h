#pragma once
// The values of one run, chosen in the start-up dialogs (or on the command line) and read-only
// afterwards. Start-up fills one value; whatever needs it is given it.

#include <string>

namespace q36 {

struct RunSettings {
    std::string BandText = "400-440";  // the chosen band entry
    int BandIndex = 0;                 // position of the band entry, 0..4; first handshake byte
    int BandLowMHz = 400;              // band limits in whole MHz, both included in every check
    int BandHighMHz = 440;
    int FactoryLock = 0;      // 1: the factory parameters are never sent
    bool HasScanList = true;  // the radio variant with five scan lists
    int LanguageIndex = 0;    // LANGUAGE_CHINESE or LANGUAGE_ENGLISH: every text of the run
};

}  // namespace q36
