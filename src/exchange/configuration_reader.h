#pragma once
// Reading the configuration from a workbook written by Save (or edited since), checking all of
// it before anything is stored.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codec/configuration.h"
#include "codec/frequency.h"
#include "exchange_status.h"
#include "text/language.h"

namespace q36::exchange {

// The languages whose sheet names, column titles and list words a workbook may be in.
enum class WorkbookLanguages {
    Current,  // the current language's only (the desktop program)
    Either,   // Chinese or English, whichever the channel sheet's name is in (the command line)
};

// What the records are checked against.
struct ImportRules {
    int bandLowMHz = 0;
    int bandHighMHz = 0;
    WorkbookLanguages languages = WorkbookLanguages::Current;
    // The program's language: its names are looked for first, and refusals are said in it.
    int language = LANGUAGE_CHINESE;
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
    bool Ok() const { return status.ok() && !fault && !toneFault; }
};

// Reads the common form, then the channel sheet's records whose key names a channel of
// configuration, then the scan sheet's records whose key names one of its lists, and puts them
// over configuration: the form's values replace the common values, a channel record replaces its
// channel whole (as RecordUpdate writes a record: a disabled channel takes the record's values
// too), a scan record its list's slots. Sheets and columns are found by their names (the common
// form on its own sheet, else on the first sheet); keys that read as whole numbers name
// "01".."24" and "1".."5". Each record's transmit and then receive frequency is checked against
// the band, and every value must be one the editors could have produced, kept in its stored
// form (import_values.h); a channel sheet whose records all name no channel is refused. Of
// several records with one key the last is kept. Unless the check is Ok, configuration is left
// as it was.
ConfigurationCheck ReadConfigurationWorkbook(const std::string& path, const ImportRules& rules,
                                             Configuration& configuration);

}  // namespace q36::exchange
