#pragma once
// Reading the configuration from a workbook written by Save (or edited since), checking all of
// it before anything is stored.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codec/frequency.h"
#include "configuration_rows.h"
#include "exchange_status.h"

namespace q36::exchange {

// The languages whose sheet names, column titles and list words a workbook may be in.
enum class WorkbookLanguages {
    Current,  // the current language's only (the desktop program)
    Either,   // Chinese or English, whichever the channel sheet's name is in (the command line)
};

// What the records are checked against.
struct ImportRules {
    std::function<bool(const std::string&)> channelKeyExists;  // a CHANNELNO of the store
    std::function<bool(const std::string&)> scanKeyExists;     // a LIST of the store
    int bandLowMHz = 0;
    int bandHighMHz = 0;
    WorkbookLanguages languages = WorkbookLanguages::Current;
};

// The first channel frequency that fails its check.
struct FrequencyFault {
    FrequencyCheck check = FrequencyCheck::Ok;  // NotNumber or OutOfBand
    std::string channelKey;
    int column = 0;  // CHANNEL_TX_FREQ or CHANNEL_RX_FREQ
    std::string text;
};

// The first channel tone value that is in no entry of its type's table (or is empty).
struct ToneFault {
    std::string channelKey;
    int column = 0;  // CHANNEL_TX_VALUE or CHANNEL_RX_VALUE
    std::string text;
};

struct ConfigurationCheck {
    ExchangeStatus status;                     // the file, a sheet, a column or a value failed
    std::optional<FrequencyFault> fault;       // set when the file was read but a frequency failed
    std::optional<ToneFault> toneFault;        // set when the file was read but a tone value failed
    int language = -1;                         // the language of the sheet names found, 0 or 1
    std::vector<std::string> skippedChannels;  // keys of channel records naming no channel
    std::vector<std::string> skippedScans;     // keys of scan records naming no list
    bool Ok() const { return status.Ok() && !fault && !toneFault; }
};

// Reads the common form, then the channel sheet's records whose key names a channel, then the
// scan sheet's records whose key names a list. Sheets and columns are found by their names (the
// common form on its own sheet, else on the first sheet); keys that read as whole numbers name
// "01".."24" and "1".."5". Each record's transmit and then receive frequency is checked against
// the band, and every value must be one the editors could have produced, kept in its stored
// form (import_values.h); a channel sheet whose records all name no channel is refused. Of
// several records with one key the last is kept, as storing them in turn would leave it;
// records keep the order of their key's first appearance.
ConfigurationCheck ReadConfigurationWorkbook(const std::string& path, const ImportRules& rules,
                                             ConfigurationRows& rows);

}  // namespace q36::exchange
