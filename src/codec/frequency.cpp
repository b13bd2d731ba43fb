#include "frequency.h"

#include <cstdio>

namespace q36 {

namespace {

// Beyond this many integer digits a value no longer fits a double.
constexpr std::size_t kMaxIntDigits = 309;
constexpr long kMaxExponent = 100000;

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Compares a non-negative digit string (no leading zeros) with a non-negative integer.
int CompareDigits(const std::string& digits, long long n) {
    const std::string other = n == 0 ? std::string() : std::to_string(n);
    if (digits.size() != other.size()) return digits.size() < other.size() ? -1 : 1;
    return digits.compare(other) < 0 ? -1 : (digits == other ? 0 : 1);
}

}  // namespace

std::optional<ExactDecimal> ParseDecimalText(std::string_view text) {
    text = TrimBlanks(text);
    ExactDecimal result;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    std::string digits;   // all mantissa digits
    long pointShift = 0;  // digits after the decimal point
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        digits += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            digits += text[i++];
            ++pointShift;
            anyDigit = true;
        }
    }
    if (!anyDigit) return std::nullopt;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
        while (i < text.size() && IsDigit(text[i])) {
            if (exponent < kMaxExponent) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (expNegative) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;

    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) return ExactDecimal{};  // zero, sign dropped
    // Position of the decimal point within digits after applying the exponent.
    const long point = static_cast<long>(digits.size()) - pointShift + exponent;
    if (point - static_cast<long>(firstNonZero) > static_cast<long>(kMaxIntDigits)) {
        return std::nullopt;  // overflow, as a double conversion would report
    }
    if (point <= 0) {
        // Tiny values below 1e-400 are as good as zero for every use here.
        if (-point > 400) return ExactDecimal{};
        result.fracDigits = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        result.intDigits =
            digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        result.intDigits = digits.substr(0, static_cast<std::size_t>(point));
        result.fracDigits = digits.substr(static_cast<std::size_t>(point));
    }
    result.intDigits.erase(0, result.intDigits.find_first_not_of('0') == std::string::npos
                                  ? result.intDigits.size()
                                  : result.intDigits.find_first_not_of('0'));
    while (!result.fracDigits.empty() && result.fracDigits.back() == '0')
        result.fracDigits.pop_back();
    if (result.intDigits.empty() && result.fracDigits.empty()) result.negative = false;
    return result;
}

uint32_t FrequencyUnitsLow24(const ExactDecimal& mhz) {
    constexpr uint32_t kMod = 1u << 24;
    // value * 8000 = 8 * (value * 1000): shift the point three places, then multiply by 8.
    std::string thousands =
        mhz.intDigits + mhz.fracDigits.substr(0, std::min<std::size_t>(3, mhz.fracDigits.size()));
    if (mhz.fracDigits.size() < 3) thousands.append(3 - mhz.fracDigits.size(), '0');
    const std::string rest = mhz.fracDigits.size() > 3 ? mhz.fracDigits.substr(3) : std::string();

    uint64_t wholeMod = 0;  // (value * 1000, truncated) mod 2^24
    for (char c : thousands) wholeMod = (wholeMod * 10 + uint64_t(c - '0')) % kMod;
    // floor(8 * fraction): the carry out of multiplying the fraction's digits by 8.
    uint32_t carry = 0;
    for (auto it = rest.rbegin(); it != rest.rend(); ++it)
        carry = (uint32_t(*it - '0') * 8 + carry) / 10;

    const uint64_t magnitude = (wholeMod * 8 + carry) % kMod;
    if (!mhz.negative || magnitude == 0) return uint32_t(magnitude);
    return uint32_t(kMod - magnitude);
}

bool WithinBand(const ExactDecimal& mhz, int lowMHz, int highMHz) {
    const bool isZero = mhz.intDigits.empty() && mhz.fracDigits.empty();
    if (mhz.negative && !isZero) return false;  // every band starts above zero
    if (CompareDigits(mhz.intDigits, lowMHz) < 0) return false;
    const int high = CompareDigits(mhz.intDigits, highMHz);
    return high < 0 || (high == 0 && mhz.fracDigits.empty());
}

std::string FrequencyTextFromUnits(uint32_t units) {
    // One unit is 0.000125 MHz, so six decimals always hold the value exactly. Four are shown
    // as the "%.4f" form does; the fifth and sixth are kept only when they are not zero, so
    // that a 6.25 kHz channel read from the radio is written back unchanged.
    const uint32_t whole = units / FREQ_UNITS_PER_MHZ;
    const uint32_t millionths = (units % FREQ_UNITS_PER_MHZ) * 125;
    char text[32];
    std::snprintf(text, sizeof text, "%u.%06u", whole, millionths);
    std::string result = text;
    while (result.size() > result.find('.') + 5 && result.back() == '0') result.pop_back();
    return result;
}

void PutUnits24(uint8_t* bytes, uint32_t units) {
    bytes[0] = uint8_t(units & 0xFF);
    bytes[1] = uint8_t((units >> 8) & 0xFF);
    bytes[2] = uint8_t((units >> 16) & 0xFF);
}

uint32_t GetUnits24(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16);
}

FrequencyCheck CheckFrequencyText(std::string_view text, int lowMHz, int highMHz) {
    const auto value = ParseDecimalText(text);
    if (!value) return FrequencyCheck::NotNumber;
    return WithinBand(*value, lowMHz, highMHz) ? FrequencyCheck::Ok : FrequencyCheck::OutOfBand;
}

}  // namespace q36
