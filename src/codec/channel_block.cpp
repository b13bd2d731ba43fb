#include "channel_block.h"

#include "bits.h"
#include "frequency.h"
#include "text/choice_lists.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "tone_tables.h"

namespace q36 {

namespace cl = channel_layout;

namespace {

uint8_t SetFlag(uint8_t value, int position, bool on) {
    return uint8_t(SetBitAt(value, position, 8, on ? 1 : 0));
}

// Packs a two-bit code at position p: the low bit goes to p+1, the high bit to p.
uint8_t SetTwoBits(uint8_t value, int position, int code) {
    value = SetFlag(value, position + 1, (code & 1) != 0);
    return SetFlag(value, position, (code & 2) != 0);
}

// The tone value byte of a type/value pair into byte, or the check that refuses the value: an
// empty one, or one in no entry of its type's table, which the radio would take as no tone.
BlockCheck ToneValueByte(const std::string& type, const std::string& value, uint8_t& byte) {
    if (value.empty()) return BlockCheck::ToneEmpty;
    const ToneTable table = ToneValueTable(type);
    if (table.empty()) {
        byte = 0;  // a type text the radio does not know carries no value
        return BlockCheck::Ok;
    }
    byte = ToneIndexOf(table, int(table.size()) - 1, value);
    return byte == NoValueByte ? BlockCheck::ToneNotInTable : BlockCheck::Ok;
}

// Encodes a tone value into byte; a refusal of a value in no table names the channel's value.
BlockStatus PutToneValue(int n, const std::string& type, const std::string& value,
                         const TextPair& column, int language, uint8_t& byte) {
    const BlockCheck check = ToneValueByte(type, value, byte);
    if (check == BlockCheck::Ok) return BlockStatus::Ok();
    return BlockRefusal(check,
                        check == BlockCheck::ToneNotInTable
                            ? ChannelValueText(ChannelKey(n), Tr(column, language), value, language)
                            : std::string());
}

void DecodeTone(std::vector<std::pair<std::string_view, std::string>>& out,
                std::string_view typeColumn, std::string_view valueColumn, uint32_t code,
                uint8_t valueByte) {
    out.emplace_back(typeColumn, std::string(ToneTypeTexts[code & 3]));
    if (code == 0) {
        out.emplace_back(valueColumn, std::string());
    } else if (code == 1) {
        out.emplace_back(valueColumn, ToneTextAt(CTCSSTable, valueByte));
    } else {
        out.emplace_back(valueColumn, ToneTextAt(DCSTable, valueByte));
    }
}

}  // namespace

std::string ChannelKey(int n) {
    return PadLeftZeros(std::to_string(n), 2);
}

BlockCheck CheckChannelFrequencyTexts(const ChannelResult& row, int bandLowMHz, int bandHighMHz) {
    if (row.ENABLED != "True") return BlockCheck::Ok;
    const auto tx = CheckFrequencyText(row.FTX, bandLowMHz, bandHighMHz);
    const auto rx = CheckFrequencyText(row.REFREQUENCY, bandLowMHz, bandHighMHz);
    if (tx == FrequencyCheck::NotNumber || rx == FrequencyCheck::NotNumber) {
        return BlockCheck::FreqNotNumber;
    }
    if (tx != FrequencyCheck::Ok || rx != FrequencyCheck::Ok) return BlockCheck::FreqOutOfBand;
    return BlockCheck::Ok;
}

EncodedBlock EncodeChannelBlock(int n, const ChannelResult& row, int bandLowMHz, int bandHighMHz,
                                int language) {
    DataBlock b{};
    b[BLOCK_TYPE_OFFSET] = BLOCK_CHANNEL;
    b[BLOCK_INDEX_OFFSET] = uint8_t(n - 1);
    b[BLOCK_COUNT_OFFSET] = CHANNEL_COUNT;

    const BlockCheck frequencies = CheckChannelFrequencyTexts(row, bandLowMHz, bandHighMHz);
    if (frequencies != BlockCheck::Ok) return BlockRefusal(frequencies);
    // A disabled channel carries only its head and two zero flag bytes.
    if (row.ENABLED != "True") return b;

    PutUnits24(&b[cl::RxFrequency], FrequencyUnitsLow24(*ParseDecimalText(row.REFREQUENCY)));
    PutUnits24(&b[cl::TxFrequency], FrequencyUnitsLow24(*ParseDecimalText(row.FTX)));

    uint8_t flagsA = 0;
    flagsA = SetFlag(flagsA, cl::EnabledPos, row.ENABLED != "False");
    // Words of either language count, as a workbook of the other language may have stored them;
    // a text that is none of them still differs from every word.
    flagsA = SetFlag(flagsA, cl::AddScanPos,
                     ChoiceIndexOfAny(lists::AddScan, row.ADDSCAN, language) != 0);
    flagsA = SetFlag(flagsA, cl::BusyPos, ChoiceIndexOfAny(lists::Busy, row.BUSY, language) != 1);
    flagsA =
        SetFlag(flagsA, cl::NarrowPos, ChoiceIndexOfAny(lists::Bandwidth, row.BW, language) != 0);
    const int rxType = ToneTypeCode(row.RETONE);
    if (rxType >= 0) flagsA = SetTwoBits(flagsA, cl::ToneTypePos, rxType);
    if (row.RETONE != "NULL") {
        BlockStatus tone =
            PutToneValue(n, row.RETONE, row.REDATA, txt::HeadRxValue, language, b[cl::RxToneValue]);
        if (!tone.ok()) return tone;
    }

    uint8_t flagsB = 0;
    flagsB = SetFlag(flagsB, cl::VoxPos, row.VOX != "False");
    const int power = ChoiceIndexOfAny(lists::TxPower, row.TXPOWER, language);
    if (power >= 0) flagsB = SetTwoBits(flagsB, cl::PowerPos, power);
    const int txType = ToneTypeCode(row.FTONE);
    if (txType >= 0) flagsB = SetTwoBits(flagsB, cl::ToneTypePos, txType);
    if (row.FTONE != "NULL") {
        BlockStatus tone =
            PutToneValue(n, row.FTONE, row.SDATA, txt::HeadTxValue, language, b[cl::TxToneValue]);
        if (!tone.ok()) return tone;
    }

    b[cl::FlagsA] = flagsA;
    b[cl::FlagsB] = flagsB;
    b[cl::Level] = uint8_t(row.LEVEL & 0xFF);
    return b;
}

ChannelUpdate DecodeChannelFrame(std::span<const uint8_t> frame, int language) {
    constexpr int F = FRAME_PAYLOAD_OFFSET;
    ChannelUpdate update;
    update.channelNo = frame[F + BLOCK_INDEX_OFFSET] + 1;
    auto& out = update.assignments;
    const uint8_t flagsA = frame[F + cl::FlagsA];
    const uint8_t flagsB = frame[F + cl::FlagsB];
    const bool enabled = GetBitsAt(flagsA, cl::EnabledPos, 1, 8) == 1;
    out.emplace_back("ENABLED", enabled ? "True" : "False");
    if (!enabled) return update;

    out.emplace_back("REFREQUENCY",
                     FrequencyTextFromUnits(GetUnits24(&frame[F + cl::RxFrequency])));
    out.emplace_back("FTX", FrequencyTextFromUnits(GetUnits24(&frame[F + cl::TxFrequency])));
    out.emplace_back(
        "ADDSCAN",
        ChoiceAt(lists::AddScan, GetBitsAt(flagsA, cl::AddScanPos, 1, 8) ? 1 : 0, language));
    out.emplace_back("BUSY",
                     ChoiceAt(lists::Busy, GetBitsAt(flagsA, cl::BusyPos, 1, 8) ? 0 : 1, language));
    out.emplace_back(
        "BW", ChoiceAt(lists::Bandwidth, GetBitsAt(flagsA, cl::NarrowPos, 1, 8) ? 1 : 0, language));
    DecodeTone(out, "RETONE", "REDATA", GetBitsAt(flagsA, cl::ToneTypePos, 2, 8),
               frame[F + cl::RxToneValue]);
    out.emplace_back("VOX", GetBitsAt(flagsB, cl::VoxPos, 1, 8) ? "True" : "False");
    const uint32_t power = GetBitsAt(flagsB, cl::PowerPos, 2, 8);
    if (power < 3) out.emplace_back("TXPOWER", ChoiceAt(lists::TxPower, int(power), language));
    DecodeTone(out, "FTONE", "SDATA", GetBitsAt(flagsB, cl::ToneTypePos, 2, 8),
               frame[F + cl::TxToneValue]);
    out.emplace_back("LEVEL", std::to_string(frame[F + cl::Level]));
    return update;
}

}  // namespace q36
