#pragma once
// The channels of a configuration as CHIRP's CSV, and a CHIRP CSV put over a configuration.
// A row's Location is the channel number (1..24; CHIRP files of other radios often start at 0,
// and such a location is listed as dropped rather than shifted). The radio keeps no channel
// names, so Name is written as the scan lists name the channel ("CH01") and ignored when read,
// as Comment is. Export writes the enabled channels only (CHIRP leaves empty memories out);
// import enables each channel it reads and leaves the channels the file does not name as they
// were. VOX, squelch level, busy lock, the scan lists and the common values have no column:
// import keeps them from the current data.

#include <string>
#include <string_view>
#include <vector>

#include "codec/configuration.h"
#include "exchange_status.h"
#include "text/language.h"

namespace q36::exchange {

// Whether path names a CSV file (".csv" in any letter case).
bool IsCsvName(const std::string& path);

// The CSV text of the configuration's enabled channels, with CHIRP's header line.
std::string ChirpCsvText(const Configuration& configuration);

// A row that changed nothing, and why.
struct CsvRefusal {
    int line = 0;          // the line of the file the row starts on
    std::string location;  // its Location as written
    const TextPair* reason = nullptr;
    std::string value;  // the value refused, where one is
};

struct ChirpImport {
    ExchangeStatus status;             // the file could not be read, or is no CHIRP CSV
    Configuration configuration;       // the current one with every row read put over it
    std::vector<std::string> dropped;  // Locations naming no channel, in file order
    std::vector<CsvRefusal> refused;   // in file order
    int channelsRead = 0;              // rows put over a channel
};

// Puts the rows of text over current: each row's frequencies (checked against the band, both
// limits included), tones, bandwidth, power and scan-add replace those of its channel, or, when
// any of them is a value the channel cannot take, the row is refused whole. Of several rows
// naming one channel the last read counts. List words are stored in language.
ChirpImport ImportChirpCsv(std::string_view text, const Configuration& current, int bandLowMHz,
                           int bandHighMHz, int language);

// The same from the file at path; a file that cannot be read gives its reason and the path.
ChirpImport ReadChirpCsvFile(const std::string& path, const Configuration& current, int bandLowMHz,
                             int bandHighMHz, int language);

// Writes the configuration's CSV to path, replacing a file there only by a complete one.
ExchangeStatus SaveChirpCsvFile(const std::string& path, const Configuration& configuration);

// The lines naming what an import did not read (dropped locations, refused rows with their
// reasons) in language; empty when it read everything.
std::vector<std::string> ChirpImportReport(const ChirpImport& import, int language);

}  // namespace q36::exchange
