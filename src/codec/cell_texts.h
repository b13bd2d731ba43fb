#pragma once
// Texts of the channel cells' paste and fill: why a value was refused, and how a refusal reads.

#include "text/language.h"

namespace q36::celltxt {

inline constexpr TextPair RefusedLocked{"信道未启用，此项不能修改",
                                        "the channel is disabled, so this value cannot change"};
inline constexpr TextPair RefusedFreqNotNumber{"频率不是数字", "the frequency is not a number"};
inline constexpr TextPair RefusedFreqOutOfBand{"频率超出本机频段",
                                               "the frequency is outside the radio's band"};
inline constexpr TextPair RefusedNotInList{"不是列表中的选项", "not one of the list's choices"};
inline constexpr TextPair RefusedToneValue{"不是该亚音类型的数值",
                                           "not a value of the channel's tone type"};
inline constexpr TextPair RefusedLevel{"静噪等级应为 [1] 到 [9]",
                                       "the squelch level must be [1] to [9]"};
inline constexpr TextPair RefusedCheck{"应为 True 或 False", "must be True or False"};
// One refused value: where, which column, the value, why.
inline constexpr TextPair RefusalLine{"{where} {column}：“{value}”——{reason}",
                                      "{where} {column}: \"{value}\" - {reason}"};

}  // namespace q36::celltxt
