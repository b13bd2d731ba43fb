#include "chirp_tone_modes.h"

#include "chirp_csv_texts.h"
#include "codec/tone_tables.h"
#include "import_values.h"

namespace q36::exchange {

namespace {

enum class Kind { None, Tone, Dcs };

// A side as what kind of tone it is, with its value as the table writes it.
Kind KindOf(const ToneSide& side, std::string& value) {
    const int code = ToneTypeCode(side.type);
    if (code <= int(ToneType::None)) return Kind::None;
    const auto known = ToneValueOf(side.type, side.value);
    if (!known || known->empty()) return Kind::None;
    value = *known;
    return code == int(ToneType::Ctcss) ? Kind::Tone : Kind::Dcs;
}

std::string KindWord(Kind kind) {
    return kind == Kind::Tone ? "Tone" : kind == Kind::Dcs ? "DTCS" : "";
}

// A DCS code as CHIRP writes it: three digits.
std::string ThreeDigits(const std::string& code) {
    return std::string(code.size() < 3 ? 3 - code.size() : 0, '0') + code;
}

char PolarityOf(const ToneSide& side) {
    return side.type == "DCS-" ? 'R' : 'N';
}

// Reads a side of the given kind from its value column and its polarity letter.
ToneRefusal ReadSide(Kind kind, const std::string& value, char polarity, ToneSide& side) {
    side = ToneSide{};
    if (kind == Kind::None) return {};
    if (kind == Kind::Dcs) {
        if (polarity != 'N' && polarity != 'R') return {&csvtxt::RefusePolarity, {}};
        side.type = polarity == 'R' ? "DCS-" : "DCS+";
    } else {
        side.type = "CTCSS";
    }
    const auto known = ToneValueOf(side.type, value);
    if (!known || known->empty()) {
        return {kind == Kind::Dcs ? &csvtxt::RefuseDcs : &csvtxt::RefuseCtcss, value};
    }
    side.value = *known;
    return {};
}

std::optional<Kind> KindOfWord(const std::string& word) {
    if (word.empty()) return Kind::None;
    if (word == "Tone") return Kind::Tone;
    if (word == "DTCS") return Kind::Dcs;
    return std::nullopt;
}

}  // namespace

ChirpTones ChirpTonesOf(const ToneSide& tx, const ToneSide& rx) {
    ChirpTones tones;
    std::string txValue, rxValue;
    const Kind txKind = KindOf(tx, txValue);
    const Kind rxKind = KindOf(rx, rxValue);
    tones.dtcsPolarity = {txKind == Kind::Dcs ? PolarityOf(tx) : 'N',
                          rxKind == Kind::Dcs ? PolarityOf(rx) : 'N'};
    if (txKind == Kind::Tone) tones.rToneFreq = txValue;
    if (rxKind == Kind::Tone) tones.cToneFreq = rxValue;
    if (txKind == Kind::Dcs) tones.dtcsCode = ThreeDigits(txValue);
    if (rxKind == Kind::Dcs) tones.rxDtcsCode = ThreeDigits(rxValue);
    if (txKind == Kind::None && rxKind == Kind::None) {
        tones.tone = "";
    } else if (txKind == Kind::Tone && rxKind == Kind::None) {
        tones.tone = "Tone";
    } else if (txKind == Kind::Tone && rxKind == Kind::Tone && txValue == rxValue) {
        tones.tone = "TSQL";
        tones.rToneFreq = txValue;
    } else if (txKind == Kind::Dcs && rxKind == Kind::Dcs && txValue == rxValue) {
        tones.tone = "DTCS";
    } else {
        tones.tone = "Cross";
        tones.crossMode = KindWord(txKind) + "->" + KindWord(rxKind);
    }
    return tones;
}

ToneRefusal ToneSidesOf(const ChirpTones& tones, ToneSide& tx, ToneSide& rx) {
    const std::string& polarity = tones.dtcsPolarity.empty() ? "NN" : tones.dtcsPolarity;
    if (polarity.size() != 2) return {&csvtxt::RefusePolarity, tones.dtcsPolarity};
    const char txPolarity = polarity[0];
    const char rxPolarity = polarity[1];
    Kind txKind = Kind::None;
    Kind rxKind = Kind::None;
    std::string txValue, rxValue;
    if (tones.tone.empty()) {
    } else if (tones.tone == "Tone") {
        txKind = Kind::Tone;
        txValue = tones.rToneFreq;
    } else if (tones.tone == "TSQL") {
        txKind = rxKind = Kind::Tone;
        txValue = rxValue = tones.cToneFreq;
    } else if (tones.tone == "DTCS") {
        txKind = rxKind = Kind::Dcs;
        txValue = rxValue = tones.dtcsCode;
    } else if (tones.tone == "Cross") {
        const std::size_t arrow = tones.crossMode.find("->");
        if (arrow == std::string::npos) return {&csvtxt::RefuseToneMode, tones.crossMode};
        const auto txWord = KindOfWord(tones.crossMode.substr(0, arrow));
        const auto rxWord = KindOfWord(tones.crossMode.substr(arrow + 2));
        if (!txWord || !rxWord) return {&csvtxt::RefuseToneMode, tones.crossMode};
        txKind = *txWord;
        rxKind = *rxWord;
        txValue = txKind == Kind::Tone ? tones.rToneFreq : tones.dtcsCode;
        rxValue = rxKind == Kind::Tone ? tones.cToneFreq : tones.rxDtcsCode;
    } else {
        // TSQL-R and DTCS-R (squelch closed by the tone) and whatever else: no such mode here.
        return {&csvtxt::RefuseToneMode, tones.tone};
    }
    if (auto refused = ReadSide(txKind, txValue, txPolarity, tx); refused.reason) return refused;
    return ReadSide(rxKind, rxValue, rxPolarity, rx);
}

}  // namespace q36::exchange
