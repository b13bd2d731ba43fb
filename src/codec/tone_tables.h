#pragma once
// Fixed lookup tables of the radio: CTCSS tones, DCS codes, channel names, tone types.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace q36 {

using ToneTable = std::span<const std::string_view>;

// 50 CTCSS tone frequencies in hertz, one decimal; the radio stores the index.
extern const std::array<std::string_view, 50> CTCSSTable;
// 83 DCS codes (octal, no leading zeros); the radio stores the index.
extern const std::array<std::string_view, 83> DCSTable;
// "CH01" .. "CH24"; a scan-list slot stores the index of its channel name.
extern const std::array<std::string_view, 24> ChannelNameTable;

// Byte that stands for "no value" in tone and channel-name fields.
inline constexpr uint8_t NoValueByte = 0xFF;

// Two-bit tone-type codes of the channel block and the texts the channel table stores.
enum class ToneType : uint8_t { None = 0, Ctcss = 1, DcsPlus = 2, DcsMinus = 3 };
inline constexpr std::array<std::string_view, 4> ToneTypeTexts{"NULL", "CTCSS", "DCS+", "DCS-"};

// The table's text at index; "NULL" beyond the last entry (so 0xFF always gives "NULL").
std::string ToneTextAt(ToneTable table, int index);

// 255 for "NULL"; otherwise the first index 0..last whose text equals text exactly, or 255.
uint8_t ToneIndexOf(ToneTable table, int last, std::string_view text);

// Tone-type code of a stored type text; -1 for a text that is none of the four.
int ToneTypeCode(std::string_view text);

// The value table of a tone type text: CTCSS for "CTCSS", DCS for "DCS+"/"DCS-", empty otherwise.
ToneTable ToneValueTable(std::string_view toneType);

}  // namespace q36
