// Frequency and number texts, as a user types them or a workbook holds them, through the codec's
// parsers and the two block encoders that take typed texts. The parsers are checked against the
// C library's own conversions where their grammars meet.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/frequency.h"
#include "codec/text_checks.h"
#include "fuzz_targets.h"
#include "protocol/band_table.h"
#include "text/language.h"

namespace q36::fuzz {

namespace {

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

std::string TrimBlanks(std::string s) {
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The text strtod would read as a whole decimal number (no hexadecimal, infinity or NaN, no
// other blanks); nothing for anything else or a value beyond a double.
std::optional<double> StrtodWhole(const std::string& text) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE) return std::nullopt;
    return value;
}

void CheckDecimal(const std::string& text, int low, int high) {
    const auto exact = ParseDecimalText(text);
    const auto approximate = StrtodWhole(text);
    Require(IsFloatText(text) == exact.has_value(), "IsFloatText and ParseDecimalText disagree");
    if (approximate) Require(exact.has_value(), "a number strtod reads was refused");
    if (!exact) return;
    Require(exact->intDigits.find_first_not_of("0123456789") == std::string::npos &&
                exact->fracDigits.find_first_not_of("0123456789") == std::string::npos,
            "digits that are no digits");
    Require(exact->intDigits.empty() || exact->intDigits.front() != '0', "a leading zero kept");
    Require(exact->fracDigits.empty() || exact->fracDigits.back() != '0', "a trailing zero kept");
    if (!approximate) return;  // beyond a double's range, or tiny: no reference to compare with
    const double v = *approximate;
    if (v != 0) Require(exact->negative == (v < 0), "the sign was lost");

    const FrequencyCheck check = CheckFrequencyText(text, low, high);
    Require(check != FrequencyCheck::NotNumber, "a number refused as no number");
    // The exact comparison and the double may differ only within the double's rounding.
    if (check == FrequencyCheck::Ok)
        Require(v >= low - 1e-6 && v <= high + 1e-6, "a frequency outside the band passed");
    if (check == FrequencyCheck::OutOfBand) {
        Require(v < low + 1e-6 || v > high - 1e-6, "a frequency inside the band refused");
    }
    if (v >= 0 && v < 2000) {
        const double units = std::floor(v * 8000.0);
        const double got = FrequencyUnitsLow24(*exact);
        const double expected = std::fmod(units, 16777216.0);
        Require(std::fabs(got - expected) <= 1 || std::fabs(got - expected) >= 16777215,
                "a frequency's units are wrong");
    }
}

void CheckInteger(const std::string& text) {
    long long value = 0;
    const bool converted = TextToInt(text, value);
    if (converted) {
        Require(IsValidAs(text, "Integer"), "TextToInt takes what IsValidAs refuses");
        Require(value >= INT32_MIN && value <= INT32_MAX, "an integer beyond 32 bits");
    }
    const std::string trimmed = TrimBlanks(text);
    if (AllDigits(trimmed)) {
        errno = 0;
        const long long reference = std::strtoll(trimmed.c_str(), nullptr, 10);
        const bool fits = errno != ERANGE && reference <= INT32_MAX;
        Require(converted == fits,
                "TextToInt refuses a digit text that fits, or takes one that does not");
        if (fits) Require(value == reference, "TextToInt gives another value");
    }
    if (IsDigits(text) && !text.empty() && text.size() <= 9)
        Require(converted, "a short digit text refused");
}

void CheckCommonBlock(const std::vector<std::string>& texts, uint8_t choices, bool hasScanList) {
    CommonPage page;
    page.tot = texts[0];
    page.ani = texts[1];
    page.lostTime = texts[2];
    page.aniMode = (choices & 3) == 3 ? -1 : choices & 3;
    page.scanRestart = (choices >> 2) & 1;
    page.lowAlarm = (choices >> 3) & 7;
    const EncodedBlock block = EncodeCommonBlock(page, hasScanList);
    if (!block.ok()) {
        Require(block.status().message != nullptr, "a refusal without its message");
        return;
    }
    long long tot = -1, ani = 0, lost = -1;
    Require(IsDigits(page.tot) && TextToInt(page.tot, tot), "a TOT that is no number was sent");
    Require(tot == 0 || (tot >= 30 && tot <= 250), "a TOT out of range was sent");
    Require(block.value()[common_layout::Tot] == tot, "TOT byte");
    if (!page.ani.empty())
        Require(IsDigits(page.ani) && TextToInt(page.ani, ani) && ani <= 65535, "ANI sent");
    Require(block.value()[common_layout::Ani] + 256 * block.value()[common_layout::Ani + 1] == ani,
            "ANI bytes");
    Require(TextToInt(page.lostTime, lost) && lost >= 0, "a scan time that is no number was sent");
    if (hasScanList) Require(lost >= 2 && lost <= 250, "a scan time out of range was sent");
}

void CheckChannelBlock(const std::vector<std::string>& texts, int band, int language) {
    const BandEntry limits = BandTable[std::size_t(band)];
    ChannelResult row;
    row.CHANNELNO = "07";
    row.ENABLED = "True";
    row.FTX = texts[3];
    row.REFREQUENCY = texts[4];
    row.RETONE = texts[5].size() % 4 == 0 ? "NULL" : texts[5].size() % 4 == 1 ? "CTCSS" : "DCS+";
    row.REDATA = texts[5];
    row.FTONE = texts[6].size() % 4 == 0 ? "NULL" : texts[6].size() % 4 == 1 ? "DCS-" : "CTCSS";
    row.SDATA = texts[6];
    row.LEVEL = int(texts[7].size());
    const EncodedBlock block = EncodeChannelBlock(7, row, limits.lowMHz, limits.highMHz, language);
    if (!block.ok()) return;
    for (const int offset : {channel_layout::TxFrequency, channel_layout::RxFrequency}) {
        const uint32_t units = GetUnits24(&block.value()[std::size_t(offset)]);
        Require(units >= uint32_t(limits.lowMHz) * FREQ_UNITS_PER_MHZ &&
                    units <= uint32_t(limits.highMHz) * FREQ_UNITS_PER_MHZ,
                "a channel left the band on its way into the block");
    }
}

}  // namespace

int CodecTextOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int band = data[0] % 5;
    const int language = (data[0] >> 3) & 1;
    const bool hasScanList = (data[0] >> 4) & 1;
    const uint8_t choices = data[1];
    std::vector<std::string> texts(1);
    for (std::size_t k = 2; k < size; ++k) {
        if (data[k] == 0x1F)
            texts.emplace_back();
        else
            texts.back() += char(data[k]);
    }
    for (const std::string& text : texts) {
        CheckDecimal(text, BandTable[std::size_t(band)].lowMHz,
                     BandTable[std::size_t(band)].highMHz);
        CheckInteger(text);
        // The first character names the type, as the store's field kinds do.
        if (!text.empty())
            (void)IsValidAs(std::string_view(text).substr(1), std::string_view(text).substr(0, 1));
    }
    texts.resize(std::max<std::size_t>(texts.size(), 8));
    CheckCommonBlock(texts, choices, hasScanList);
    CheckChannelBlock(texts, band, language);
    return 0;
}

}  // namespace q36::fuzz
