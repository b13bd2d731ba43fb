#pragma once
// The configuration as texts: the common parameter row, the channel rows and the scan list rows,
// with their columns in the order of the layout tables.

#include <array>
#include <string>
#include <vector>

#include "configuration_layout.h"

namespace q36::exchange {

using CommonValues = std::array<std::string, CommonFields.size()>;  // in CommonFields order
using ChannelRow = std::array<std::string, CHANNEL_COLUMN_COUNT>;   // in ChannelColumns order
using ScanRow = std::array<std::string, SCAN_COLUMN_COUNT>;         // in ScanColumns order

struct ConfigurationRows {
    CommonValues common;
    std::vector<ChannelRow> channels;
    std::vector<ScanRow> scans;
};

}  // namespace q36::exchange
