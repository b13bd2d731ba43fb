#pragma once
// Frames on the line: C4 D7, command, length N, N payload bytes, XOR checksum, 04 04 04.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace q36 {

inline constexpr std::array<uint8_t, 2> FRAME_HEAD{0xC4, 0xD7};
inline constexpr std::array<uint8_t, 3> FRAME_TAIL{0x04, 0x04, 0x04};
inline constexpr int FRAME_OVERHEAD = 8;
inline constexpr int FRAME_COMMAND_OFFSET = 2;
inline constexpr int FRAME_LENGTH_OFFSET = 3;

inline constexpr uint8_t CMD_STATUS = 0x80;
inline constexpr uint8_t CMD_HANDSHAKE = 0x90;
inline constexpr uint8_t CMD_HANDSHAKE_REPLY = 0x91;
inline constexpr uint8_t CMD_READ_REQUEST = 0x92;
inline constexpr uint8_t CMD_READ_DATA = 0x93;
inline constexpr uint8_t CMD_WRITE_DATA = 0x94;

inline constexpr uint8_t ST_OK = 0;
inline constexpr uint8_t ST_MODEL_MISMATCH = 1;
inline constexpr uint8_t ST_BAD_PASSWORD = 2;
inline constexpr uint8_t ST_CHECKSUM_ERROR = 3;
inline constexpr uint8_t ST_UNKNOWN_COMMAND = 4;

// Fixed payload lengths of the commands the program checks on reception.
inline constexpr int HANDSHAKE_PAYLOAD = 5;
inline constexpr int HANDSHAKE_REPLY_PAYLOAD = 14;
inline constexpr int DATA_PAYLOAD = 35;

// The whole frame for a payload (length = payload size, low eight bits in the length byte).
std::vector<uint8_t> BuildFrame(uint8_t command, std::span<const uint8_t> payload);

// The received-frame check for a command of fixed payload length n: the XOR of offsets 2..3+n
// equals offset 4+n, then offset 3 equals the delivered length minus 8. A delivery too short to
// hold offset 4+n fails without being read past its end.
bool CheckReceivedFrame(std::span<const uint8_t> frame, int n);

// Cuts a byte stream into frames by their head and length byte: what the program sends goes out
// a byte at a time, and whoever watches it wants whole frames. Bytes before a head are passed
// as one piece of their own.
class FrameSplitter {
  public:
    // The frames (and pieces that are none) the bytes complete.
    std::vector<std::vector<uint8_t>> Push(const uint8_t* data, std::size_t length);
    // Whatever is held of a frame not yet whole.
    std::vector<uint8_t> TakeRest();

  private:
    std::vector<uint8_t> held_;
};

}  // namespace q36
