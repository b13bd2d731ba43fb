#pragma once
// Bit fields numbered from the most significant end, checksums and small text helpers.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace q36 {

// Position p of a width-w value is the bit of weight 2^(w-p); mode 0 clears, 1 sets, other → 0.
uint32_t SetBitAt(uint32_t value, int position, int width, int mode);

// The count-bit field whose most significant bit is at position (numbered as in SetBitAt).
uint32_t GetBitsAt(uint32_t value, int position, int count, int width);

// Exclusive-or of all bytes; 0 for none.
uint8_t XorChecksum(std::span<const uint8_t> bytes);

// Two upper-case hexadecimal digits.
std::string ByteToHex(uint8_t value);

// Upper-case hexadecimal text (at least two digits) of the payload length a frame implies.
std::string PayloadLengthHex(std::span<const uint8_t> frame);

// Every NUL replaced by "0", then "0" prepended up to width characters.
std::string PadLeftZeros(std::string text, std::size_t width);

}  // namespace q36
