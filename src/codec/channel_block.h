#pragma once
// One channel as a 35-byte block of type 2, and the channel row it is encoded from.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data_block.h"

namespace q36 {

// In-memory copy of one CHANNELTABLE row, fields in column order; all texts but LEVEL.
struct ChannelResult {
    std::string CHANNELNO;
    std::string ENABLED;
    std::string VOX;
    std::string FTX;
    std::string FTONE;
    std::string SDATA;
    std::string TXPOWER;
    std::string REFREQUENCY;
    std::string RETONE;
    std::string REDATA;
    int LEVEL = 0;
    std::string BW;
    std::string ADDSCAN;
    std::string BUSY;

    bool operator==(const ChannelResult&) const = default;
};

// The 24 channel rows; record n-1 is channel n.
using ChannelArr = std::vector<ChannelResult>;
inline constexpr int CHANNEL_COUNT = 24;

// Payload offsets of the channel block.
namespace channel_layout {
inline constexpr int RxFrequency = 3;  // 24-bit units, low byte first
inline constexpr int TxFrequency = 6;
inline constexpr int FlagsA = 9;
inline constexpr int RxToneValue = 10;
inline constexpr int FlagsB = 11;
inline constexpr int TxToneValue = 12;
inline constexpr int Level = 13;
// Bit positions (numbered 1..8 from the most significant end) within the flag bytes.
inline constexpr int EnabledPos = 8;   // flags A bit 0
inline constexpr int AddScanPos = 7;   // flags A bit 1
inline constexpr int BusyPos = 6;      // flags A bit 2: 1 = lockout off
inline constexpr int NarrowPos = 5;    // flags A bit 3
inline constexpr int VoxPos = 7;       // flags B bit 1
inline constexpr int PowerPos = 5;     // flags B bits 3..2
inline constexpr int ToneTypePos = 3;  // bits 5..4 of either flag byte
}  // namespace channel_layout

// Checks the row's frequencies against the band when it is enabled (ENABLED exactly "True").
// Returns Ok, FreqNotNumber or FreqOutOfBand.
BlockCheck CheckChannelFrequencyTexts(const ChannelResult& row, int bandLowMHz, int bandHighMHz);

// Encodes channel n (1..24) from its row; refuses with the first failed check, a refused value
// named in language. The list words of either language count.
EncodedBlock EncodeChannelBlock(int n, const ChannelResult& row, int bandLowMHz, int bandHighMHz,
                                int language);

// What a received channel block changes in its row, in the order the columns are written:
// ENABLED first, then (only for an enabled channel) the rest.
struct ChannelUpdate {
    int channelNo = 0;                                                  // frame byte 5 + 1
    std::vector<std::pair<std::string_view, std::string>> assignments;  // column, text
};

// Decodes a received channel block (frame offsets, the frame already checked); list columns get
// the words of language.
ChannelUpdate DecodeChannelFrame(std::span<const uint8_t> frame, int language);

// The key text of channel n: "01".."24".
std::string ChannelKey(int n);

}  // namespace q36
