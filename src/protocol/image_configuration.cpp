#include "image_configuration.h"

#include <algorithm>

#include "codec/channel_fields.h"
#include "frame.h"

namespace q36 {

Configuration DecodeImage(const RadioImage& image, const RunSettings& settings) {
    Configuration configuration = BlankConfiguration();
    const auto frameOf = [&](int type, int index) {
        return BuildFrame(CMD_READ_DATA, image.Block(type, index));
    };
    DecodeCommonFrame(frameOf(BLOCK_COMMON, 0), settings.HasScanList, configuration.common);
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        ApplyChannelUpdate(configuration.channels[std::size_t(i)],
                           DecodeChannelFrame(frameOf(BLOCK_CHANNEL, i), settings.LanguageIndex));
    }
    if (settings.HasScanList) {
        for (int j = 0; j < SCAN_LIST_COUNT; ++j)
            configuration.scans[std::size_t(j)].slots =
                DecodeScanFrame(frameOf(BLOCK_SCAN, j)).slots;
    }
    return configuration;
}

bool TakeDataFrame(std::span<const uint8_t> frame, RadioImage& image) {
    if (frame.size() != std::size_t(FRAME_OVERHEAD + DATA_PAYLOAD)) return false;
    const uint8_t command = frame[FRAME_COMMAND_OFFSET];
    if (command != CMD_READ_DATA && command != CMD_WRITE_DATA) return false;
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return false;
    const int slot = RadioImage::Slot(frame[4], frame[5]);
    if (slot < 0) return false;
    std::copy_n(frame.begin() + 4, DATA_PAYLOAD, image.blocks[std::size_t(slot)].begin());
    return true;
}

}  // namespace q36
