#pragma once
// The whole configuration of a radio as one value: its 24 channels, its common parameters and
// its five scan lists. The store loads and saves it, a workbook holds it, a transfer encodes and
// decodes it; two of them compare field by field.

#include <string>
#include <vector>

#include "channel_block.h"
#include "common_block.h"
#include "scan_block.h"

namespace q36 {

struct Configuration {
    ChannelArr channels;  // 24 rows; record n-1 is channel n, keyed "01".."24"
    CommonPage common;
    ScanArr scans;  // 5 rows; record j-1 is list j

    bool operator==(const Configuration&) const = default;
};

// 24 channels keyed "01".."24" and 5 lists numbered 1..5, every value empty.
Configuration BlankConfiguration();

// One field that differs between two configurations.
struct FieldChange {
    enum class Part { Common, Channel, ScanList };
    Part part = Part::Common;
    int number = 0;      // the channel (1..24) or the scan list (1..5); 0 for the common part
    std::string column;  // its column: "FTX", "AVISET", a slot "01".."16"
    std::string before;  // the stored text in the first configuration
    std::string after;   // and in the second
    bool operator==(const FieldChange&) const = default;
};

// Every field whose stored text differs from a to b (frequencies and tone values by their number):
// the common values in their column order, then the channels and the scan lists in order, each by
// column. List words are given in the language named (0 Chinese, 1 English). Channels or lists that
// only one side has count as differing in every field.
std::vector<FieldChange> Diff(const Configuration& a, const Configuration& b, int language);

}  // namespace q36
