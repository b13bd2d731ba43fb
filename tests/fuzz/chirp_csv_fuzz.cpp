// A CHIRP CSV file as anyone may write it, through the import and back through the export.

#include <string_view>

#include "codec/configuration.h"
#include "exchange/chirp_csv.h"
#include "fuzz_targets.h"

namespace q36::fuzz {

int ChirpCsvOneInput(const uint8_t* data, size_t size) {
    Configuration current = BlankConfiguration();
    for (ChannelResult& channel : current.channels) {
        channel.ENABLED = "True";
        channel.FTX = channel.REFREQUENCY = "430";
        channel.FTONE = channel.RETONE = "NULL";
        channel.TXPOWER = "高";
        channel.BW = "宽";
        channel.ADDSCAN = "添加";
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const exchange::ChirpImport got =
        exchange::ImportChirpCsv(text, current, 400, 440, LANGUAGE_CHINESE);
    if (!got.status.ok()) {
        Require(got.configuration == current, "a refused file changes nothing");
        return 0;
    }
    Require(got.configuration.common == current.common && got.configuration.scans == current.scans,
            "an import keeps the common values and the scan lists");
    for (const exchange::CsvRefusal& refusal : got.refused) {
        Require(refusal.reason != nullptr, "a refused row says why");
    }
    // What was read is written out again and read back as it was.
    const exchange::ChirpImport again = exchange::ImportChirpCsv(
        exchange::ChirpCsvText(got.configuration), got.configuration, 400, 440, LANGUAGE_CHINESE);
    Require(again.status.ok() && again.refused.empty() && again.dropped.empty(),
            "an exported CSV is read whole");
    Require(Diff(got.configuration, again.configuration, LANGUAGE_CHINESE).empty(),
            "an imported CSV exported and imported again is the same");
    return 0;
}

}  // namespace q36::fuzz
