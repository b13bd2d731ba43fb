// A CHIRP CSV put over a configuration.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "chirp_csv.h"
#include "chirp_csv_columns.h"
#include "chirp_csv_texts.h"
#include "chirp_tone_modes.h"
#include "codec/frequency.h"
#include "csv_table.h"
#include "import_values.h"
#include "text/choice_lists.h"
#include "workbook_source.h"

namespace q36::exchange {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Where each column of CHIRP's is in the file, -1 for a column it lacks; headings are matched
// without regard to letter case.
using ColumnPlaces = std::array<int, chirp::Columns.size()>;

ColumnPlaces PlacesOf(const std::vector<std::string>& header) {
    ColumnPlaces places;
    places.fill(-1);
    for (std::size_t c = 0; c < chirp::Columns.size(); ++c) {
        for (std::size_t k = 0; k < header.size(); ++k) {
            if (Lower(Trimmed(header[k])) == Lower(chirp::Columns[c])) {
                places[c] = static_cast<int>(k);
                break;
            }
        }
    }
    return places;
}

class Row {
  public:
    Row(const CsvRecord& record, const ColumnPlaces& places) : record_(record), places_(places) {}
    bool Has(int column) const { return places_[column] >= 0; }
    std::string operator[](int column) const {
        const int k = places_[column];
        if (k < 0 || static_cast<std::size_t>(k) >= record_.fields.size()) return {};
        return Trimmed(record_.fields[static_cast<std::size_t>(k)]);
    }

  private:
    const CsvRecord& record_;
    const ColumnPlaces& places_;
};

// A refusal in the making: reason and value, or no reason for a value that is taken.
struct Refusal {
    const TextPair* reason = nullptr;
    std::string value;
};

// Hertz of a MHz text (CHIRP writes six decimals); refused when it is no number or finer than
// one hertz.
Refusal HertzOf(const std::string& text, long long& hertz) {
    const auto mhz = ParseDecimalText(text);
    if (!mhz || mhz->negative) return {&csvtxt::RefuseFrequency, text};
    if (mhz->intDigits.size() > 6) return {&csvtxt::RefuseOutOfBand, text};
    if (mhz->fracDigits.size() > 6) return {&csvtxt::RefuseFrequencyStep, text};
    const std::string fraction = mhz->fracDigits + std::string(6 - mhz->fracDigits.size(), '0');
    hertz = std::atoll(mhz->intDigits.c_str()) * 1000000 + std::atoll(fraction.c_str());
    return {};
}

// The stored text of a frequency in hertz, refused off the radio's 125 Hz grid or the band.
Refusal FrequencyText(long long hertz, const std::string& written, int low, int high,
                      std::string& text) {
    if (hertz < 0) return {&csvtxt::RefuseOutOfBand, written};
    if (hertz % 125 != 0) return {&csvtxt::RefuseFrequencyStep, written};
    text = FrequencyTextFromUnits(static_cast<uint32_t>(hertz / 125));
    if (CheckFrequencyText(text, low, high) != FrequencyCheck::Ok) {
        return {&csvtxt::RefuseOutOfBand, written};
    }
    return {};
}

// Receive frequency from Frequency, transmit from Duplex and Offset: "" simplex, "+"/"-" the
// offset above or below, "split" Offset is the transmit frequency. "off" (receive only) is
// refused: this radio transmits on every enabled channel, and sending on a frequency the file
// marks as not to be sent on is the one thing an import must not bring about.
Refusal ReadFrequencies(const Row& row, int low, int high, ChannelResult& channel) {
    long long rx = 0;
    if (auto r = HertzOf(row[chirp::Frequency], rx); r.reason) return r;
    const std::string duplex = Lower(row[chirp::Duplex]);
    long long tx = rx;
    if (duplex == "off") return {&csvtxt::RefuseReceiveOnly, row[chirp::Duplex]};
    if (!duplex.empty()) {
        if (duplex != "+" && duplex != "-" && duplex != "split") {
            return {&csvtxt::RefuseDuplex, row[chirp::Duplex]};
        }
        long long offset = 0;
        if (auto r = HertzOf(row[chirp::Offset], offset); r.reason) return r;
        tx = duplex == "split" ? offset : duplex == "+" ? rx + offset : rx - offset;
    }
    if (auto r = FrequencyText(rx, row[chirp::Frequency], low, high, channel.REFREQUENCY);
        r.reason) {
        return r;
    }
    const std::string txWritten = duplex.empty() ? row[chirp::Frequency] : row[chirp::Offset];
    return FrequencyText(tx, txWritten, low, high, channel.FTX);
}

// Power words and watts to the radio's three levels. Words: High/Hi/H and Max give 高,
// Mid/Med/Medium/Middle/M 中, Low/Lo/L and Min 低 (any letter case, a trailing digit as in
// "Low1" ignored; the radio's own words too). Watts ("5.0W", "500mW", a bare number): under
// 1.5 W 低, under 4 W 中, else 高, the usual split of a handheld's levels. An empty Power keeps
// the channel's level.
Refusal ReadPower(const std::string& text, int language, ChannelResult& channel) {
    if (text.empty()) return {};
    int level = ChoiceIndexOfAny(lists::TxPower, text, language);
    std::string word = Lower(text);
    while (!word.empty() && std::isdigit(static_cast<unsigned char>(word.back()))) word.pop_back();
    if (word == "high" || word == "hi" || word == "h" || word == "max") level = 0;
    if (word == "mid" || word == "med" || word == "medium" || word == "middle" || word == "m") {
        level = 1;
    }
    if (word == "low" || word == "lo" || word == "l" || word == "min") level = 2;
    if (level < 0) {
        std::string number = Lower(text);
        double scale = 1.0;
        if (number.ends_with("mw")) {
            scale = 0.001;
            number.resize(number.size() - 2);
        } else if (number.ends_with("w")) {
            number.pop_back();
        }
        const auto value = ParseDecimalText(number);
        if (!value || value->negative) return {&csvtxt::RefusePower, text};
        const double watts = std::atof(number.c_str()) * scale;
        level = watts < 1.5 ? 2 : watts < 4.0 ? 1 : 0;
    }
    channel.TXPOWER = ChoiceAt(lists::TxPower, level, language);
    return {};
}

Refusal ReadTones(const Row& row, ChannelResult& channel) {
    ChirpTones tones;
    tones.tone = row[chirp::Tone];
    tones.rToneFreq = row[chirp::RToneFreq];
    tones.cToneFreq = row[chirp::CToneFreq];
    tones.dtcsCode = row[chirp::DtcsCode];
    tones.dtcsPolarity = row[chirp::DtcsPolarity];
    // Files of CHIRP before it had a receive DCS code use DtcsCode both ways.
    tones.rxDtcsCode = row.Has(chirp::RxDtcsCode) ? row[chirp::RxDtcsCode] : tones.dtcsCode;
    tones.crossMode = row[chirp::CrossMode];
    ToneSide tx, rx;
    const ToneRefusal refused = ToneSidesOf(tones, tx, rx);
    if (refused.reason) return {refused.reason, refused.value};
    channel.FTONE = tx.type;
    channel.SDATA = tx.value;
    channel.RETONE = rx.type;
    channel.REDATA = rx.value;
    return {};
}

// The channel a row makes of current; a column the file lacks keeps current's value.
Refusal ReadChannel(const Row& row, int low, int high, int language, ChannelResult& channel) {
    if (auto r = ReadFrequencies(row, low, high, channel); r.reason) return r;
    if (auto r = ReadTones(row, channel); r.reason) return r;
    if (row.Has(chirp::Mode)) {
        const std::string mode = row[chirp::Mode];
        if (mode != "FM" && mode != "NFM") return {&csvtxt::RefuseMode, mode};
        channel.BW = ChoiceAt(lists::Bandwidth, mode == "NFM" ? 1 : 0, language);
    }
    if (auto r = ReadPower(row[chirp::Power], language, channel); r.reason) return r;
    if (row.Has(chirp::Skip)) {
        const std::string skip = row[chirp::Skip];
        // "P" (a priority channel) is scanned too.
        if (!skip.empty() && skip != "S" && skip != "P") return {&csvtxt::RefuseSkip, skip};
        channel.ADDSCAN = ChoiceAt(lists::AddScan, skip == "S" ? 0 : 1, language);
    }
    channel.ENABLED = "True";
    return {};
}

bool Blank(const CsvRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return Trimmed(field).empty(); });
}

}  // namespace

ChirpImport ImportChirpCsv(std::string_view text, const Configuration& current, int bandLowMHz,
                           int bandHighMHz, int language) {
    ChirpImport result;
    result.configuration = current;
    const auto records = ParseCsv(text);
    if (!records) {
        result.status =
            ExchangeStatus::Error(ExchangeError::Damaged, Tr(csvtxt::ReasonMalformedCsv, language));
        return result;
    }
    const ColumnPlaces places =
        PlacesOf(records->empty() ? std::vector<std::string>{} : records->front().fields);
    if (places[chirp::Location] < 0 || places[chirp::Frequency] < 0) {
        result.status = ExchangeStatus::Error(ExchangeError::MissingColumn,
                                              Tr(csvtxt::ReasonNotChirpCsv, language));
        return result;
    }
    for (std::size_t r = 1; r < records->size(); ++r) {
        const CsvRecord& record = (*records)[r];
        if (Blank(record)) continue;
        const Row row(record, places);
        const std::string location = row[chirp::Location];
        const auto number = WholeNumberOf(location);
        if (!number || *number < 1 || *number > CHANNEL_COUNT ||
            static_cast<std::size_t>(*number) > result.configuration.channels.size()) {
            result.dropped.push_back(location);
            continue;
        }
        ChannelResult channel =
            result.configuration.channels[static_cast<std::size_t>(*number - 1)];
        if (Refusal refused = ReadChannel(row, bandLowMHz, bandHighMHz, language, channel);
            refused.reason) {
            result.refused.push_back({record.line, location, refused.reason, refused.value});
            continue;
        }
        result.configuration.channels[static_cast<std::size_t>(*number - 1)] = channel;
        ++result.channelsRead;
    }
    return result;
}

ChirpImport ReadChirpCsvFile(const std::string& path, const Configuration& current, int bandLowMHz,
                             int bandHighMHz, int language) {
    std::vector<uint8_t> bytes;
    if (ExchangeStatus status = ReadWholeFile(path, language, bytes); !status.ok()) {
        ChirpImport failed;
        failed.configuration = current;
        failed.status = status;
        return failed;
    }
    ChirpImport result =
        ImportChirpCsv(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                       current, bandLowMHz, bandHighMHz, language);
    if (!result.status.ok()) result.status.detail = DetailWithPath(result.status.detail, path);
    return result;
}

std::vector<std::string> ChirpImportReport(const ChirpImport& import, int language) {
    std::vector<std::string> lines;
    if (!import.dropped.empty()) {
        std::string line = Tr(csvtxt::DroppedLocations, language);
        for (std::size_t k = 0; k < import.dropped.size(); ++k) {
            line += (k == 0 ? " " : ", ") + import.dropped[k];
        }
        lines.push_back(line);
    }
    if (!import.refused.empty()) lines.push_back(Tr(csvtxt::RefusedRows, language));
    for (const CsvRefusal& refusal : import.refused) {
        std::string line =
            Fill(Tr(csvtxt::RowWhere, language), "{line}", std::to_string(refusal.line));
        line = Fill(line, "{location}", refusal.location);
        line += ": " + Tr(*refusal.reason, language);
        if (!refusal.value.empty()) line += ": " + refusal.value;
        lines.push_back("  " + line);
    }
    return lines;
}

}  // namespace q36::exchange
