#pragma once
// Enumerations of the serial port component's line settings, in their published ordinal order.

#include <cstdint>

namespace q36 {

enum class TParity : uint8_t { None, Odd, Even, Mark, Space };

// One, one and a half, two stop bits.
enum class TStopBits : uint8_t { _1, _1_5, _2 };

// Data bits = ordinal + 5.
enum class TByteSize : uint8_t { _5, _6, _7, _8 };

enum class TDtrControl : uint8_t { DtrEnable, DtrDisable, DtrHandshake };

enum class TRtsControl : uint8_t { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };

}  // namespace q36
