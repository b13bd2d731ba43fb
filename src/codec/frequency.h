#pragma once
// Frequencies: decimal MHz texts to and from the radio's 24-bit counts of 125 Hz units.
// Texts are converted from their decimal digits exactly, never through binary floating point,
// so that a text naming an exact multiple of 125 Hz gives exactly that count.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q36 {

inline constexpr uint32_t FREQ_UNITS_PER_MHZ = 8000;

// A decimal number held as its digits: value = (negative ? -1 : 1) * intDigits.fracDigits.
// intDigits has no leading zeros (empty for 0), fracDigits no trailing zeros.
struct ExactDecimal {
    bool negative = false;
    std::string intDigits;
    std::string fracDigits;
};

// Parses [blanks][sign]digits[.digits][e[sign]digits][blanks] (".5" and "5." too); nothing for a
// text that is not such a number or whose magnitude is beyond a double's range.
std::optional<ExactDecimal> ParseDecimalText(std::string_view text);

// trunc(value * 8000), as the radio's 24-bit field keeps it (the low 24 bits, two's complement).
uint32_t FrequencyUnitsLow24(const ExactDecimal& mhz);

// Whether lowMHz <= value <= highMHz, compared exactly.
bool WithinBand(const ExactDecimal& mhz, int lowMHz, int highMHz);

// The units as MHz with four decimals ("145.5000" for 1164000), and a fifth and sixth only
// where the value needs them to stay exact ("136.00625").
std::string FrequencyTextFromUnits(uint32_t units);

// The low 24 bits of a frequency field, least significant byte first, and back.
void PutUnits24(uint8_t* bytes, uint32_t units);
uint32_t GetUnits24(const uint8_t* bytes);

enum class FrequencyCheck { Ok, NotNumber, OutOfBand };

// The check every edited, imported or encoded frequency goes through.
FrequencyCheck CheckFrequencyText(std::string_view text, int lowMHz, int highMHz);

}  // namespace q36
