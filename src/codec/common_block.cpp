#include "common_block.h"

#include "bits.h"
#include "text_checks.h"

namespace q36 {

namespace ml = common_layout;

namespace {

// A list position as a byte: no selection gives 0xFF.
uint8_t PositionByte(int position) {
    return position < 0 ? 0xFF : uint8_t(position);
}

// A list position used as a bit mode: no selection is a mode that clears the whole byte.
int BitMode(int position) {
    return position < 0 ? -1 : position;
}

int PositionFrom(uint8_t value, int count) {
    return value < count ? int(value) : -1;
}

}  // namespace

EncodedBlock EncodeCommonBlock(const CommonPage& page, bool hasScanList) {
    DataBlock b{};
    auto refuse = [](BlockCheck check) -> EncodedBlock { return BlockRefusal(check); };
    b[BLOCK_TYPE_OFFSET] = BLOCK_COMMON;
    b[BLOCK_INDEX_OFFSET] = 0;
    b[BLOCK_COUNT_OFFSET] = 1;
    b[ml::LowAlarm] = PositionByte(page.lowAlarm);
    b[ml::LowBan] = PositionByte(page.lowBan);

    if (!IsDigits(page.tot)) return refuse(BlockCheck::TotNotNumber);
    long long tot;
    if (!TextToInt(page.tot, tot)) return refuse(BlockCheck::NoAnswer);
    if (tot != 0 && (tot < 30 || tot > 250)) return refuse(BlockCheck::TotRange);
    b[ml::Tot] = uint8_t(tot);

    b[ml::KeyA] = PositionByte(page.keyAPress);
    b[ml::KeyB] = PositionByte(page.keyBPress);

    uint32_t keyFlags = 0;
    keyFlags = SetBitAt(keyFlags, 8, 8, BitMode(page.powerPress));
    keyFlags = SetBitAt(keyFlags, 7, 8, page.temControl ? 1 : 0);
    keyFlags = SetBitAt(keyFlags, 6, 8, page.keyEnabled ? 1 : 0);
    b[ml::KeyFlags] = uint8_t(keyFlags);

    if (!page.ani.empty()) {
        if (!IsDigits(page.ani)) return refuse(BlockCheck::AniNotNumber);
        long long ani;
        // A number too large to convert is refused as too large, not as "no answer"; leading
        // zeros do not make a number large.
        if (!TextToInt(page.ani, ani) || ani > 65535) {
            return refuse(BlockCheck::AniMax);
        }
        b[ml::Ani] = uint8_t(ani & 0xFF);
        b[ml::Ani + 1] = uint8_t((ani >> 8) & 0xFF);
    }

    if (page.aniMode < 0) return refuse(BlockCheck::NoAnswer);
    b[ml::AniMode] = uint8_t(page.aniMode);

    // The restart-condition bit needs the restart time, converted before its own checks.
    bool restartOnLoss = false;
    if (page.scanRestart == 0) {
        if (!IsDigits(page.lostTime)) return refuse(BlockCheck::ScanTimeNotNumber);
        long long lost;
        if (!TextToInt(page.lostTime, lost)) return refuse(BlockCheck::NoAnswer);
        restartOnLoss = lost >= 8;
    }
    uint32_t scanFlags = 0;
    scanFlags = SetBitAt(scanFlags, 8, 8, restartOnLoss ? 1 : 0);
    scanFlags = SetBitAt(scanFlags, 7, 8, BitMode(page.scanPause));
    scanFlags = SetBitAt(scanFlags, 6, 8, BitMode(page.scanChanSel));
    scanFlags = SetBitAt(scanFlags, 5, 8, BitMode(page.scanPauseSel));
    b[ml::ScanFlags] = uint8_t(scanFlags);

    if (!IsDigits(page.lostTime)) return refuse(BlockCheck::ScanTimeNotNumber);
    long long lost;
    if (!TextToInt(page.lostTime, lost)) return refuse(BlockCheck::NoAnswer);
    if (hasScanList && (lost < 2 || lost > 250)) return refuse(BlockCheck::ScanTimeRange);
    b[ml::LostTime] = uint8_t(lost & 0xFF);

    // The factory power levels are locked for the whole run and always go out as zero.
    b[ml::HighPower] = 0;
    b[ml::MidPower] = 0;
    b[ml::LowPower] = 0;
    return b;
}

void DecodeCommonFrame(std::span<const uint8_t> frame, bool hasScanList, CommonPage& page) {
    auto at = [&frame](int payloadOffset) { return frame[FRAME_PAYLOAD_OFFSET + payloadOffset]; };
    page.lowAlarm = PositionFrom(at(ml::LowAlarm), VOLTAGE_COUNT);
    page.lowBan = PositionFrom(at(ml::LowBan), VOLTAGE_COUNT);
    page.tot = std::to_string(at(ml::Tot));
    page.keyAPress = PositionFrom(at(ml::KeyA), KEY_COUNT);
    page.keyBPress = PositionFrom(at(ml::KeyB), KEY_COUNT);
    const uint8_t keyFlags = at(ml::KeyFlags);
    page.powerPress = int(GetBitsAt(keyFlags, 8, 1, 8));
    page.temControl = GetBitsAt(keyFlags, 7, 1, 8) == 1;
    page.keyEnabled = GetBitsAt(keyFlags, 6, 1, 8) == 1;
    page.ani = std::to_string(at(ml::Ani) + 256 * at(ml::Ani + 1));
    page.aniMode = PositionFrom(at(ml::AniMode), ANI_MODE_COUNT);
    if (hasScanList) {
        const uint8_t scanFlags = at(ml::ScanFlags);
        // Bit 0 is set on writing only for "restart on signal loss" (with a time of 8 s or
        // more), so it is read back as that choice; reading it as a plain list position would
        // flip the radio's restart condition on every read-and-write-back.
        page.scanRestart = GetBitsAt(scanFlags, 8, 1, 8) == 1 ? 0 : 1;
        page.scanPause = int(GetBitsAt(scanFlags, 7, 1, 8));
        page.scanChanSel = int(GetBitsAt(scanFlags, 6, 1, 8));
        page.scanPauseSel = int(GetBitsAt(scanFlags, 5, 1, 8));
        page.lostTime = std::to_string(at(ml::LostTime));
    }
    page.highPower = std::to_string(at(ml::HighPower));
    page.midPower = std::to_string(at(ml::MidPower));
    page.lowPower = std::to_string(at(ml::LowPower));
}

}  // namespace q36
