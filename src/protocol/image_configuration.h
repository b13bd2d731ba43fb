#pragma once
// A radio's memory image and the configuration it holds: the image is what went over the line
// byte for byte (every data block sent or received), the configuration what a read of it stores.

#include <span>

#include "codec/configuration.h"
#include "radio_image.h"
#include "run_settings.h"

namespace q36 {

// The configuration a read of a radio with this memory stores: every block through the read's
// own decoders (scan lists only when the settings' variant has them).
Configuration DecodeImage(const RadioImage& image, const RunSettings& settings);

// Keeps the payload of a data frame (a read answer or a written block) whose check holds in its
// slot of image; false for anything else.
bool TakeDataFrame(std::span<const uint8_t> frame, RadioImage& image);

}  // namespace q36
