#include "radio_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "codec/bits.h"
#include "codec/channel_block.h"
#include "codec/frequency.h"
#include "codec/scan_block.h"

namespace q36 {

int RadioImage::Slot(int blockType, int index) {
    if (blockType == BLOCK_COMMON && index == 0) return 0;
    if (blockType == BLOCK_CHANNEL && index >= 0 && index < CHANNEL_COUNT) return 1 + index;
    if (blockType == BLOCK_SCAN && index >= 0 && index < SCAN_LIST_COUNT)
        return 1 + CHANNEL_COUNT + index;
    return -1;
}

RadioImage DefaultRadioImage(int lowMHz, int highMHz) {
    RadioImage image;
    // Alarm 6.8 V, inhibit 6.6 V, TOT 60 s, restart on signal loss after 8 s.
    image.blocks[0] = DataBlock{1, 0, 1, 2, 0, 60, 0, 0, 0, 0, 0, 0, 1, 8};
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        DataBlock& b = image.Block(BLOCK_CHANNEL, i);
        b[0] = BLOCK_CHANNEL;
        b[1] = uint8_t(i);
        b[2] = CHANNEL_COUNT;
        // Channels spread 1 MHz apart from the band's lower edge, clamped to the band.
        const uint32_t mhz = uint32_t(std::min(lowMHz + i, highMHz));
        PutUnits24(&b[channel_layout::RxFrequency], mhz * FREQ_UNITS_PER_MHZ);
        PutUnits24(&b[channel_layout::TxFrequency], mhz * FREQ_UNITS_PER_MHZ);
        b[channel_layout::FlagsA] = 0x01;  // enabled, wide, busy lockout on, no tone
        b[channel_layout::FlagsB] = 0x00;  // high power
        b[channel_layout::Level] = 4;
    }
    for (int i = 0; i < SCAN_LIST_COUNT; ++i) {
        DataBlock& b = image.Block(BLOCK_SCAN, i);
        b[0] = BLOCK_SCAN;
        b[1] = uint8_t(i);
        b[2] = SCAN_LIST_COUNT;
        for (int s = 0; s < SCAN_SLOT_COUNT; ++s) b[SCAN_SLOTS_OFFSET + s] = 0xFF;
    }
    return image;
}

std::string ImageToText(const RadioImage& image) {
    std::string text;
    for (const DataBlock& block : image.blocks) {
        for (uint8_t byte : block) text += ByteToHex(byte);
        text += '\n';
    }
    return text;
}

std::optional<RadioImage> ImageFromText(const std::string& text, std::string* error) {
    auto fail = [error](const std::string& why) -> std::optional<RadioImage> {
        if (error) *error = why;
        return std::nullopt;
    };
    RadioImage image;
    std::istringstream in(text);
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (count == IMAGE_BLOCKS) return fail("more than 30 lines");
        if (line.size() != 2 * DATA_BLOCK_SIZE) {
            return fail("line " + std::to_string(count + 1) +
                        " does not have 70 hexadecimal digits");
        }
        for (int i = 0; i < DATA_BLOCK_SIZE; ++i) {
            unsigned value;
            const std::string pair = line.substr(std::size_t(2 * i), 2);
            if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
                std::sscanf(pair.c_str(), "%2x", &value) != 1) {
                return fail("line " + std::to_string(count + 1) + " holds a non-hexadecimal digit");
            }
            image.blocks[std::size_t(count)][std::size_t(i)] = uint8_t(value);
        }
        ++count;
    }
    if (count != IMAGE_BLOCKS) return fail("fewer than 30 lines");
    return image;
}

std::optional<RadioImage> LoadImageFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    auto image = ImageFromText(text.str(), &why);
    if (!image && error) *error = path + ": " + why;
    return image;
}

bool SaveImageFile(const std::string& path, const RadioImage& image, std::string* error) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << ImageToText(image);
        out.flush();
        if (!out) {
            if (error) *error = temp + ": " + std::strerror(errno);
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        if (error) *error = path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace q36
