#pragma once
// The 35-byte data block every configuration frame carries, and the outcome of encoding one.

#include <array>
#include <cstdint>
#include <string>

#include "text/status.h"

namespace q36 {

inline constexpr int DATA_BLOCK_SIZE = 35;
using DataBlock = std::array<uint8_t, DATA_BLOCK_SIZE>;

// Block head (payload offsets) and block types.
inline constexpr int BLOCK_TYPE_OFFSET = 0;
inline constexpr int BLOCK_INDEX_OFFSET = 1;
inline constexpr int BLOCK_COUNT_OFFSET = 2;
inline constexpr uint8_t BLOCK_COMMON = 1;
inline constexpr uint8_t BLOCK_CHANNEL = 2;
inline constexpr uint8_t BLOCK_SCAN = 3;

// Payload offset k is frame offset k + 4.
inline constexpr int FRAME_PAYLOAD_OFFSET = 4;

// Why an encoder refused its block; each refusal names the message the user sees.
enum class BlockCheck {
    Ok,
    FreqNotNumber,      // MsgFreqNotNumber
    FreqOutOfBand,      // TxtChannel n MsgFreqError
    ToneEmpty,          // MsgToneEmpty
    ToneNotInTable,     // MsgToneNotInTable, the channel's value below it
    TotNotNumber,       // MsgTotNotNumber
    TotRange,           // MsgTotRange
    AniNotNumber,       // MsgAniNotNumber
    AniMax,             // MsgAniMax
    ScanTimeNotNumber,  // MsgScanTimeNotNumber
    ScanTimeRange,      // MsgScanTimeRange
    NoAnswer,           // a value that cannot be encoded at all: MsgNoAnswer
};

// An encoded block, or the refusal: its check, the message pair the user is shown, and the
// refused value where the check names one ("信道 07 发数值: 100").
using EncodedBlock = Result<DataBlock, BlockCheck>;
using BlockStatus = Status<BlockCheck>;

// The refusal of a check, with the check's own message pair.
BlockStatus BlockRefusal(BlockCheck check, std::string detail = {});

// The message of a refusal in language, with its detail on a line below; channel is used by
// FreqOutOfBand only (its message names the channel).
std::string BlockCheckMessage(const BlockStatus& refusal, int channel, int language);

}  // namespace q36
