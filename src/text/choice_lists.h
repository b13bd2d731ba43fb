#pragma once
// Entries of the program's pick lists as consecutive Chinese/English pairs, in list order.
// The position of an entry is the code the radio uses for it.

#include <array>
#include <string_view>

#include "language.h"

namespace q36::lists {

using std::string_view_literals::operator""sv;

// Channel grid columns.
inline constexpr std::array TxPower{"高"sv, "High"sv, "中"sv, "Middle"sv, "低"sv, "Low"sv};
inline constexpr std::array Bandwidth{"宽"sv, "W"sv, "窄"sv, "N"sv};
inline constexpr std::array AddScan{"不添加"sv, "No"sv, "添加"sv, "Yes"sv};
inline constexpr std::array Busy{"关"sv, "No"sv, "开"sv, "Yes"sv};

// Common-parameter page.
inline constexpr std::array AniMode{"关闭"sv, "NULL"sv,       "后"sv,    "after PTT"sv,
                                    "前"sv,   "before PTT"sv, "前+后"sv, "before+after"sv};
inline constexpr std::array PowerPress{"关"sv, "Close"sv, "开"sv, "Open"sv};
inline constexpr std::array KeyAPress{"监听"sv, "Monitor"sv};
inline constexpr std::array KeyBPress{"扫描"sv, "Scan"sv};
inline constexpr std::array ScanPauseSel{"扫描前工作信道"sv, "Working channel before scanning"sv,
                                         "当前扫描信道"sv, "The current scan channel"sv};
inline constexpr std::array ScanPause{"载波"sv, "Carrier"sv, "载波+亚音"sv, "Carrier + tone"sv};
inline constexpr std::array ScanRestart{"信号消失..."sv, "Signal disappears..."sv, "暂停..."sv,
                                        "Pause..."sv};
inline constexpr std::array ScanChanSel{"扫描前工作信道"sv, "Working channel before scanning"sv,
                                        "最后一个扫描信道"sv, "The last scan channel"sv};

// The two voltage lists hold the same texts in both languages.
inline constexpr std::array Voltage{"6.6V"sv, "6.6V"sv, "6.7V"sv, "6.7V"sv, "6.8V"sv,
                                    "6.8V"sv, "6.9V"sv, "6.9V"sv, "7.0V"sv, "7.0V"sv};

// Titles of the 14 channel-grid columns (also the channel report's headings).
inline constexpr std::array ColumnTitleTable{
    "信道"sv,     "CH"sv,     "启用"sv,   "EN"sv,       "VOX"sv,   "VOX"sv,      "发送频率"sv,
    "TxFreq"sv,   "发亚音"sv, "Encode"sv, "数值"sv,     "Value"sv, "发射功率"sv, "TxPower"sv,
    "接收频率"sv, "RxFreq"sv, "收亚音"sv, "Decode"sv,   "数值"sv,  "Value"sv,    "静噪等级"sv,
    "SQ"sv,       "带宽"sv,   "W/N"sv,    "扫描添加"sv, "Scan"sv,  "遇忙禁发"sv, "BusyLock"sv};

}  // namespace q36::lists
