#pragma once
// Shared by the end-to-end fault tests: a radio memory that differs from a reset store in every
// block, the frames a radio received in a short form, and what a store file holds, compared with
// the blocks a transfer accepted.

#include <string>
#include <tuple>
#include <vector>

#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"
#include "protocol/radio_image.h"

namespace q36::test {

// A radio memory unlike a store reset to the band 400-440 in every block, so that each block
// stored or written shows.
RadioImage DistinctImage();

// The frames a radio received, in order: HS handshake, RQn read request, ACK status 0 (ACKxN for
// a run), STn another status, C common block, CHa-b channel blocks, SLa-b scan lists.
std::string FrameSummary(const std::vector<std::vector<uint8_t>>& frames);

// What a store file holds, read through a connection of its own.
struct StoreSnapshot {
    std::string error;  // empty when the file could be read
    ChannelArr channels;
    CommonPage page;
    ScanArr scans;
};
StoreSnapshot ReadStore(const std::string& path);

// Blocks a transfer accepted: the common block, channels 1..channels, scan lists 1..scans.
struct Accepted {
    bool common = false;
    int channels = 0;
    int scans = 0;
};
inline constexpr Accepted kNothing{};
inline constexpr Accepted kEverything{true, CHANNEL_COUNT, SCAN_LIST_COUNT};

// After a read from image: the accepted blocks are stored as the radio holds them, every other
// row is as before.
void ExpectReadStored(const StoreSnapshot& before, const StoreSnapshot& after,
                      const RadioImage& image, const Accepted& accepted);

// After a write from the store before: the store is unchanged, and the radio holds the accepted
// blocks as the store encodes them and its original memory elsewhere.
void ExpectWritten(const StoreSnapshot& before, const StoreSnapshot& after,
                   const RadioImage& original, const RadioImage& written, const Accepted& accepted);

}  // namespace q36::test
