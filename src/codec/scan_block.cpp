#include "scan_block.h"

#include "bits.h"
#include "tone_tables.h"

namespace q36 {

uint8_t ScanSlotByte(const std::string& slotText) {
    return ToneIndexOf(ChannelNameTable, 23, slotText);
}

uint8_t ScanListByte(const ScanArr& scans, int n, int s) {
    if (n < 1 || static_cast<std::size_t>(n) > scans.size() || s < 1 || s > SCAN_SLOT_COUNT) {
        return NoValueByte;
    }
    return ScanSlotByte(
        scans[static_cast<std::size_t>(n - 1)].slots[static_cast<std::size_t>(s - 1)]);
}

DataBlock EncodeScanBlock(int n, const ScanResult& row) {
    DataBlock b{};
    b[BLOCK_TYPE_OFFSET] = BLOCK_SCAN;
    b[BLOCK_INDEX_OFFSET] = uint8_t(n - 1);
    b[BLOCK_COUNT_OFFSET] = SCAN_LIST_COUNT;
    for (int s = 0; s < SCAN_SLOT_COUNT; ++s) {
        b[SCAN_SLOTS_OFFSET + s] = ScanSlotByte(row.slots[static_cast<std::size_t>(s)]);
    }
    return b;
}

ScanUpdate DecodeScanFrame(std::span<const uint8_t> frame) {
    constexpr int F = FRAME_PAYLOAD_OFFSET;
    ScanUpdate update;
    update.listIndex = frame[F + BLOCK_INDEX_OFFSET];
    for (int s = 0; s < SCAN_SLOT_COUNT; ++s) {
        update.slots[static_cast<std::size_t>(s)] =
            ToneTextAt(ChannelNameTable, frame[F + SCAN_SLOTS_OFFSET + s]);
    }
    return update;
}

std::string ScanSlotColumn(int s) {
    return PadLeftZeros(std::to_string(s), 2);
}

}  // namespace q36
