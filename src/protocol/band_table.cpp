#include "band_table.h"

#include "codec/text_checks.h"

namespace q36 {

std::string BandEntryText(int index) {
    if (index < 0 || index >= int(BandTable.size())) return {};
    const BandEntry& e = BandTable[std::size_t(index)];
    return std::to_string(e.lowMHz) + "-" + std::to_string(e.highMHz);
}

std::optional<BandEntry> BandLimitsFromText(const std::string& text) {
    if (text.size() < 7) return std::nullopt;
    long long low, high;
    if (!TextToInt(text.substr(0, 3), low) || !TextToInt(text.substr(4, 3), high))
        return std::nullopt;
    return BandEntry{int(low), int(high)};
}

int BandIndexOfText(const std::string& text) {
    for (int i = 0; i < int(BandTable.size()); ++i) {
        if (BandEntryText(i) == text) return i;
    }
    return -1;
}

bool SelectBand(RunSettings& settings, const std::string& text, int index) {
    const auto limits = BandLimitsFromText(text);
    if (!limits) return false;
    settings.BandText = text;
    settings.BandIndex = index;
    settings.BandLowMHz = limits->lowMHz;
    settings.BandHighMHz = limits->highMHz;
    return true;
}

}  // namespace q36
