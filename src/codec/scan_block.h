#pragma once
// One scan list (16 channel slots) as a 35-byte block of type 3.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "data_block.h"

namespace q36 {

inline constexpr int SCAN_LIST_COUNT = 5;
inline constexpr int SCAN_SLOT_COUNT = 16;
inline constexpr int SCAN_SLOTS_OFFSET = 3;  // payload offset of slot "01"

// In-memory copy of one SCANTABLE row: the list number and its slots "01".."16".
struct ScanResult {
    int LIST = 0;
    std::array<std::string, SCAN_SLOT_COUNT> slots;

    bool operator==(const ScanResult&) const = default;
};

// The five scan lists as the scan editor's confirm action last filled them.
using ScanArr = std::vector<ScanResult>;

// Byte of a slot text: "CH01".."CH24" give 0..23, anything else 0xFF.
uint8_t ScanSlotByte(const std::string& slotText);

// ScanListByte: the byte of slot s (1..16) of list n (1..5) of scans.
uint8_t ScanListByte(const ScanArr& scans, int n, int s);

// Encodes list n (1..5) from its row.
DataBlock EncodeScanBlock(int n, const ScanResult& row);

// A received scan list (frame offsets, already checked): its index and slot texts.
struct ScanUpdate {
    int listIndex = 0;  // frame byte 5
    std::array<std::string, SCAN_SLOT_COUNT> slots;
};
ScanUpdate DecodeScanFrame(std::span<const uint8_t> frame);

// The column name of slot s (1..16): "01".."16".
std::string ScanSlotColumn(int s);

}  // namespace q36
