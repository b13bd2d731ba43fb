// The CHIRP CSV of a configuration.

#include <algorithm>
#include <cctype>

#include "chirp_csv.h"
#include "chirp_csv_columns.h"
#include "chirp_tone_modes.h"
#include "codec/frequency.h"
#include "codec/tone_tables.h"
#include "csv_table.h"
#include "replacing_file.h"
#include "text/choice_lists.h"

namespace q36::exchange {

namespace {

// A stored frequency in hertz, nothing for a text that names no whole number of 125 Hz units.
std::optional<long long> HertzOf(const std::string& text) {
    const auto mhz = ParseDecimalText(text);
    if (!mhz || mhz->negative || mhz->intDigits.size() > 6) return std::nullopt;
    return static_cast<long long>(FrequencyUnitsLow24(*mhz)) * 125;
}

// Hertz as MHz with six decimals, as CHIRP writes them.
std::string MhzText(long long hertz) {
    std::string fraction = std::to_string(hertz % 1000000);
    fraction.insert(0, 6 - fraction.size(), '0');
    return std::to_string(hertz / 1000000) + "." + fraction;
}

// Watts for the three power words: 高 5 W, 中 2 W, 低 1 W, so that import's rule (under 1.5 W
// low, under 4 W middle, else high) gives each back.
std::string PowerText(const std::string& word) {
    static constexpr const char* watts[] = {"5.0W", "2.0W", "1.0W"};
    const int k = ChoiceIndexOfAny(lists::TxPower, word, LANGUAGE_CHINESE);
    return watts[k < 0 ? 0 : k];
}

std::vector<std::string> RowOf(int n, const ChannelResult& channel) {
    std::vector<std::string> row(chirp::Columns.size());
    const auto set = [&row](int column, std::string text) { row[column] = std::move(text); };
    set(chirp::Location, std::to_string(n));
    set(chirp::Name, std::string(ChannelNameTable[n - 1]));
    const long long rx = HertzOf(channel.REFREQUENCY).value_or(0);
    const long long tx = HertzOf(channel.FTX).value_or(rx);
    set(chirp::Frequency, MhzText(rx));
    set(chirp::Duplex, tx == rx ? "" : tx > rx ? "+" : "-");
    set(chirp::Offset, MhzText(tx > rx ? tx - rx : rx - tx));
    const ChirpTones tones =
        ChirpTonesOf({channel.FTONE, channel.SDATA}, {channel.RETONE, channel.REDATA});
    set(chirp::Tone, tones.tone);
    set(chirp::RToneFreq, tones.rToneFreq);
    set(chirp::CToneFreq, tones.cToneFreq);
    set(chirp::DtcsCode, tones.dtcsCode);
    set(chirp::DtcsPolarity, tones.dtcsPolarity);
    set(chirp::RxDtcsCode, tones.rxDtcsCode);
    set(chirp::CrossMode, tones.crossMode);
    const bool narrow = ChoiceIndexOfAny(lists::Bandwidth, channel.BW, LANGUAGE_CHINESE) == 1;
    set(chirp::Mode, narrow ? "NFM" : "FM");
    set(chirp::TStep, "12.50");
    const bool scanned = ChoiceIndexOfAny(lists::AddScan, channel.ADDSCAN, LANGUAGE_CHINESE) == 1;
    set(chirp::Skip, scanned ? "" : "S");
    set(chirp::Power, PowerText(channel.TXPOWER));
    return row;
}

}  // namespace

bool IsCsvName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return end == ".csv";
}

std::string ChirpCsvText(const Configuration& configuration) {
    std::string text =
        CsvLine(std::vector<std::string>(chirp::Columns.begin(), chirp::Columns.end()));
    for (std::size_t k = 0; k < configuration.channels.size() && k < CHANNEL_COUNT; ++k) {
        const ChannelResult& channel = configuration.channels[k];
        if (channel.ENABLED != "True") continue;
        text += CsvLine(RowOf(static_cast<int>(k) + 1, channel));
    }
    return text;
}

ExchangeStatus SaveChirpCsvFile(const std::string& path, const Configuration& configuration) {
    return SaveTextFile(path, ChirpCsvText(configuration));
}

}  // namespace q36::exchange
