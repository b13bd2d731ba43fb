#pragma once
// The virtual radio's memory: the 35-byte payloads of the common block, channels 0..23 and scan
// lists 0..4, kept on disk as 30 lines of 70 hexadecimal digits.

#include <array>
#include <optional>
#include <string>

#include "codec/data_block.h"

namespace q36 {

inline constexpr int IMAGE_BLOCKS = 30;

struct RadioImage {
    std::array<DataBlock, IMAGE_BLOCKS> blocks{};

    // Position of a block in the image; -1 for a type/index the radio does not have.
    static int Slot(int blockType, int index);

    DataBlock& Block(int blockType, int index) {
        return blocks[std::size_t(Slot(blockType, index))];
    }
    const DataBlock& Block(int blockType, int index) const {
        return blocks[std::size_t(Slot(blockType, index))];
    }

    bool operator==(const RadioImage&) const = default;
};

// A factory-fresh radio for a band: defaults on the common block, every channel enabled at
// the band's edges, empty scan lists.
RadioImage DefaultRadioImage(int lowMHz, int highMHz);

// The image as text: 30 lines of 70 upper-case hexadecimal digits.
std::string ImageToText(const RadioImage& image);

// Parses the text form; nothing (with a reason in error) for a text that is not 30 such lines.
std::optional<RadioImage> ImageFromText(const std::string& text, std::string* error = nullptr);

// File access; saving writes a temporary file and renames it over the target.
std::optional<RadioImage> LoadImageFile(const std::string& path, std::string* error = nullptr);
bool SaveImageFile(const std::string& path, const RadioImage& image, std::string* error = nullptr);

}  // namespace q36
