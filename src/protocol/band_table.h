#pragma once
// The five frequency bands of the radio and the choice of one at start-up.

#include <array>
#include <optional>
#include <string>

#include "run_settings.h"

namespace q36 {

struct BandEntry {
    int lowMHz;
    int highMHz;
};

inline constexpr std::array<BandEntry, 5> BandTable{
    {{400, 440}, {430, 470}, {440, 480}, {350, 390}, {136, 174}}};

// "400-440": the lower limit, "-", the upper limit.
std::string BandEntryText(int index);

// The band limits read back from an entry text by position (characters 1-3 and 5-7).
std::optional<BandEntry> BandLimitsFromText(const std::string& text);

// Position of an entry text in BandTable, or -1.
int BandIndexOfText(const std::string& text);

// Makes the entry text the band of a run: sets BandText, BandIndex, BandLowMHz and BandHighMHz of
// settings. False (and nothing changed) when the text does not give two numbers.
bool SelectBand(RunSettings& settings, const std::string& text, int index);

}  // namespace q36
