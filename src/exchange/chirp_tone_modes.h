#pragma once
// The tone columns of a CHIRP CSV row and this radio's transmit and receive tone (type and
// value), both ways. CHIRP's generic CSV has a separate receive tone (cToneFreq) and receive DCS
// code (RxDtcsCode), so: Tone sends rToneFreq; TSQL sends and receives cToneFreq; DTCS sends
// and receives DtcsCode; Cross sends rToneFreq or DtcsCode and receives cToneFreq or RxDtcsCode.
// DtcsPolarity gives the transmit then the receive polarity: N (normal) is this radio's "DCS+",
// R (reversed) its "DCS-".

#include <string>

#include "text/language.h"

namespace q36::exchange {

// One direction of a channel's tone as the channel table stores it.
struct ToneSide {
    std::string type = "NULL";  // "NULL", "CTCSS", "DCS+", "DCS-"
    std::string value;          // a text of the type's table; empty for "NULL"
};

// The tone columns of a row, with the values CHIRP writes where a column is not used.
struct ChirpTones {
    std::string tone;  // "", "Tone", "TSQL", "DTCS", "Cross" (TSQL-R and DTCS-R are read only)
    std::string rToneFreq = "88.5";
    std::string cToneFreq = "88.5";
    std::string dtcsCode = "023";
    std::string dtcsPolarity = "NN";
    std::string rxDtcsCode = "023";
    std::string crossMode = "Tone->Tone";
};

// The columns that give tx and rx; a side whose value is in no entry of its table counts as
// no tone.
ChirpTones ChirpTonesOf(const ToneSide& tx, const ToneSide& rx);

// The refusal of a tone that fails, or nullptr.
struct ToneRefusal {
    const TextPair* reason = nullptr;
    std::string value;  // the text refused
};

// The sides the columns give, their values as the tables write them; a refusal (tx and rx then
// unspecified) for a tone mode, a polarity or a value this radio cannot take.
ToneRefusal ToneSidesOf(const ChirpTones& tones, ToneSide& tx, ToneSide& rx);

}  // namespace q36::exchange
