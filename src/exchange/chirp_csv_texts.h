#pragma once
// Texts of the CHIRP CSV exchange: the file filter, the step an import makes, why a file or a
// row is not read, and what the file cannot hold.

#include "text/language.h"

namespace q36::exchange::csvtxt {

inline constexpr TextPair FileFilter{"CHIRP CSV (*.csv)", "CHIRP CSV (*.csv)"};
// The name of the edit an import makes (undo lists it).
inline constexpr TextPair ImportStep{"导入 CHIRP CSV", "Import CHIRP CSV"};

// Why a whole file is not read.
inline constexpr TextPair ReasonNotChirpCsv{
    "不是 CHIRP CSV 文件（第一行缺少 Location 或 Frequency 列）",
    "not a CHIRP CSV file (its first line has no Location or Frequency column)"};
inline constexpr TextPair ReasonMalformedCsv{"CSV 文件格式错误（引号不成对）",
                                             "the CSV file is malformed (unbalanced quotes)"};

// Headings of the lists an import ends with.
inline constexpr TextPair DroppedLocations{"未读入的位置（本机只有信道 1..24）：",
                                           "Locations not read (this radio has channels 1..24):"};
inline constexpr TextPair RefusedRows{"未读入的行（该信道保持原样）：",
                                      "Rows not read (their channel is kept as it was):"};
// Where a refused row is: "第 5 行（Location 7）".
inline constexpr TextPair RowWhere{"第 {line} 行（Location {location}）",
                                   "line {line} (Location {location})"};
inline constexpr TextPair KeptOnImport{
    "CSV 中没有的内容（VOX、静噪等级、遇忙禁发、扫描列表、公共参数）保持不变。",
    "What the CSV does not hold (VOX, squelch level, busy lock, scan lists, common parameters) "
    "is kept."};

// Why a row is not read.
inline constexpr TextPair RefuseFrequency{"频率不是数字", "frequency is not a number"};
inline constexpr TextPair RefuseOutOfBand{"频率超出频段", "frequency out of band"};
inline constexpr TextPair RefuseFrequencyStep{"频率不是 125 Hz 的整数倍",
                                              "frequency is not a multiple of 125 Hz"};
inline constexpr TextPair RefuseDuplex{"未知的 Duplex", "unknown Duplex"};
inline constexpr TextPair RefuseReceiveOnly{
    "本机信道不能只收不发（Duplex off）",
    "a channel of this radio cannot be receive-only (Duplex off)"};
inline constexpr TextPair RefuseToneMode{"本机没有的亚音方式", "a tone mode this radio lacks"};
inline constexpr TextPair RefuseCtcss{"亚音频率不在本机亚音表中",
                                      "tone frequency not in this radio's list"};
inline constexpr TextPair RefuseDcs{"数字亚音码不在本机亚音表中",
                                    "DCS code not in this radio's list"};
inline constexpr TextPair RefusePolarity{"未知的 DtcsPolarity", "unknown DtcsPolarity"};
inline constexpr TextPair RefuseMode{"本机没有的 Mode（只有 FM、NFM）",
                                     "a Mode this radio lacks (only FM, NFM)"};
inline constexpr TextPair RefusePower{"无法识别的 Power", "Power not recognised"};
inline constexpr TextPair RefuseSkip{"未知的 Skip", "unknown Skip"};

// Said after an export.
inline constexpr TextPair SaveFailed{"CSV 文件保存失败！", "The CSV file could not be saved!"};
inline constexpr TextPair NotHeld{
    "CHIRP CSV 不能保存以下内容，文件中没有：VOX、静噪等级、遇忙禁发、扫描列表、公共参数；"
    "未启用的信道不写入。",
    "CHIRP CSV cannot hold these, so the file lacks them: VOX, squelch level, busy lock, scan "
    "lists, common parameters; channels not enabled are not written."};

}  // namespace q36::exchange::csvtxt
