#pragma once
// Reading the configuration from a workbook written by Save (or edited since), checking all of
// it before anything is stored.

#include <functional>
#include <optional>
#include <string>

#include "codec/frequency.h"
#include "configuration_rows.h"
#include "exchange_status.h"

namespace q36::exchange {

// What the records are checked against.
struct ImportRules {
    std::function<bool(const std::string&)> channelKeyExists;  // a CHANNELNO of the store
    std::function<bool(const std::string&)> scanKeyExists;     // a LIST of the store
    int bandLowMHz = 0;
    int bandHighMHz = 0;
};

// The first channel frequency that fails its check.
struct FrequencyFault {
    FrequencyCheck check = FrequencyCheck::Ok;  // NotNumber or OutOfBand
    std::string channelKey;
    int column = 0;  // CHANNEL_TX_FREQ or CHANNEL_RX_FREQ
    std::string text;
};

struct ConfigurationCheck {
    ExchangeStatus status;                // the file, a sheet or a column failed
    std::optional<FrequencyFault> fault;  // set when the file was read but a frequency failed
    bool Ok() const { return status.Ok() && !fault; }
};

// Reads the first sheet's values, then the channel sheet's records whose key names a channel
// (checking the transmit and then the receive frequency of each against the band), then the
// scan sheet's records whose key names a list; sheets and columns are found by their names in
// the current language. Of several records with one key the last is kept, as storing them in
// turn would leave it; records keep the order of their key's first appearance.
ConfigurationCheck ReadConfigurationWorkbook(const std::string& path, const ImportRules& rules,
                                             ConfigurationRows& rows);

}  // namespace q36::exchange
