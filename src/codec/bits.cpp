#include "bits.h"

#include <cstdio>

namespace q36 {

uint32_t SetBitAt(uint32_t value, int position, int width, int mode) {
    const int shift = width - position;
    if (shift < 0 || shift > 31) return mode == 0 || mode == 1 ? value : 0;
    const uint32_t bit = uint32_t{1} << shift;
    if (mode == 0) return value & ~bit;
    if (mode == 1) return value | bit;
    return 0;
}

uint32_t GetBitsAt(uint32_t value, int position, int count, int width) {
    const int shift = width - position - count + 1;
    if (shift < 0 || shift > 31 || count <= 0) return 0;
    const uint32_t mask = count >= 32 ? 0xFFFFFFFFu : (uint32_t{1} << count) - 1;
    return (value >> shift) & mask;
}

uint8_t XorChecksum(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum ^= b;
    return sum;
}

std::string ByteToHex(uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string PayloadLengthHex(std::span<const uint8_t> frame) {
    const long long length = static_cast<long long>(frame.size()) - 8;
    char text[24];
    std::snprintf(text, sizeof text, "%02llX", length < 0 ? 0 : length);
    return length < 0 ? "-" + std::string(text) : text;
}

std::string PadLeftZeros(std::string text, std::size_t width) {
    for (char& c : text) {
        if (c == '\0') c = '0';
    }
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace q36
