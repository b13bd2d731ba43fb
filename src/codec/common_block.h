#pragma once
// The radio-wide settings as a 35-byte block of type 1, and the page values it is built from.

#include <span>
#include <string>

#include "data_block.h"

namespace q36 {

// What the common-parameter page shows: the selected position of each list (-1 for none; the
// position is the radio's code), the texts of the six number edits and the two check boxes.
struct CommonPage {
    int aniMode = -1;         // suiDBComboBox1, AVIMODE
    int lowAlarm = -1;        // suiDBComboBox2, LOWALARM
    int lowBan = -1;          // suiDBComboBox3, LOWBAN
    int powerPress = -1;      // suiDBComboBox4, POWERPRESS
    int keyAPress = -1;       // suiDBComboBox5, KEYAPRESS
    int keyBPress = -1;       // suiDBComboBox6, KEYBPRESS
    int scanPause = -1;       // suiDBComboBox7, SCANPAUSE
    int scanRestart = -1;     // suiDBComboBox8, SCANRESTAR
    int scanChanSel = -1;     // suiDBComboBox9, SCANCHANSEL
    int scanPauseSel = -1;    // suiDBComboBox10, SCANPAUSESEL
    std::string ani;          // suiDBEdit1, AVISET
    std::string tot;          // suiDBEdit2, TOPSET
    std::string lostTime;     // suiDBEdit3, LOSTTIME
    std::string highPower;    // suiDBEdit4, HIGHTRANPOWER
    std::string midPower;     // suiDBEdit5, MIDTRANPOWER
    std::string lowPower;     // suiDBEdit6, LOWTRANPOWER
    bool temControl = false;  // suiDBCheckBox1, TEMCONTROL
    bool keyEnabled = false;  // suiDBCheckBox2, KEYENABLED

    bool operator==(const CommonPage&) const = default;
};

// Payload offsets of the common block.
namespace common_layout {
inline constexpr int LowAlarm = 3;
inline constexpr int LowBan = 4;
inline constexpr int Tot = 5;
inline constexpr int KeyA = 6;
inline constexpr int KeyB = 7;
inline constexpr int KeyFlags = 8;  // bit 0 POWER short press, bit 1 temperature, bit 2 key lock
inline constexpr int Ani = 9;       // 16 bits, low byte first
inline constexpr int AniMode = 11;
inline constexpr int ScanFlags =
    12;  // bit 0 restart, bit 1 pause, bit 2 end channel, bit 3 tx channel
inline constexpr int LostTime = 13;
inline constexpr int HighPower = 14;
inline constexpr int MidPower = 15;
inline constexpr int LowPower = 16;
}  // namespace common_layout

// Entry counts of the page's lists, in the order of CommonPage's list fields.
inline constexpr int ANI_MODE_COUNT = 4, VOLTAGE_COUNT = 5, POWER_PRESS_COUNT = 2, KEY_COUNT = 1,
                     SCAN_OPTION_COUNT = 2;

// Checks and encodes the page. hasScanList enables the range check of the scan restart time.
EncodedBlock EncodeCommonBlock(const CommonPage& page, bool hasScanList);

// Puts a received common block (frame offsets, already checked) on the page; the scan fields
// only when hasScanList. A value beyond the end of its list leaves the list with no selection.
void DecodeCommonFrame(std::span<const uint8_t> frame, bool hasScanList, CommonPage& page);

}  // namespace q36
