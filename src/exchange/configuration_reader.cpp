#include "configuration_reader.h"

#include <array>

#include "codec/channel_fields.h"
#include "codec/common_fields.h"
#include "configuration_layout.h"
#include "exchange_texts.h"
#include "import_values.h"
#include "sheet_table.h"
#include "text_forms.h"
#include "workbook_source.h"

namespace q36::exchange {

namespace {

// A record of the channel sheet and of the scan sheet: its cell texts in column order.
using ChannelRow = std::array<std::string, CHANNEL_COLUMN_COUNT>;
using ScanRow = std::array<std::string, SCAN_COLUMN_COUNT>;

// The sheet of this name as a table keyed by its first title; MissingSheet or MissingColumn
// when the sheet or one of the titles is not there.
ExchangeStatus ReadTable(WorkbookSource& source, const std::string& path, int language,
                         const std::string& name, const std::vector<std::string>& titles,
                         SheetCells& cells, std::optional<SheetTable>& table,
                         std::vector<int>& columns) {
    const int index = SheetIndexOf(source, name);
    if (index < 0) return ReadFailure(ExchangeError::MissingSheet, name, path, language);
    if (auto status = source.ReadSheet(static_cast<std::size_t>(index), cells); !status.ok()) {
        return status;
    }
    table = SheetTable::FromCells(cells, titles.front());
    if (!table)
        return ReadFailure(ExchangeError::MissingColumn, name + ": " + titles.front(), path,
                           language);
    columns.clear();
    for (const auto& title : titles) {
        columns.push_back(table->ColumnIndex(title));
        if (columns.back() < 0) {
            return ReadFailure(ExchangeError::MissingColumn, name + ": " + title, path, language);
        }
    }
    return ExchangeStatus::Ok();
}

// The configuration's channel (or list) keyed key; nullptr when it has none.
ChannelResult* ChannelOfKey(Configuration& configuration, const std::string& key) {
    for (ChannelResult& channel : configuration.channels) {
        if (channel.CHANNELNO == key) return &channel;
    }
    return nullptr;
}

ScanResult* ScanOfKey(Configuration& configuration, const std::string& key) {
    for (ScanResult& scan : configuration.scans) {
        if (std::to_string(scan.LIST) == key) return &scan;
    }
    return nullptr;
}

// The language whose channel sheet name the workbook has, the program's first; -1 for none.
int LanguageOf(const WorkbookSource& source, WorkbookLanguages languages, int language) {
    const int current = language == LANGUAGE_ENGLISH ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
    if (SheetIndexOf(source, Tr(txt::SheetChannels, current)) >= 0) return current;
    if (languages == WorkbookLanguages::Either &&
        SheetIndexOf(source, Tr(txt::SheetChannels, 1 - current)) >= 0) {
        return 1 - current;
    }
    return -1;
}

// A form label as the name of its value: "消失时间(秒) ：" gives "消失时间(秒)".
std::string FieldName(const TextPair& label, int language) {
    std::string name = TrimBlanks(Tr(label, language));
    for (const std::string_view colon : {std::string_view("："), std::string_view(":")}) {
        if (name.size() >= colon.size() &&
            name.compare(name.size() - colon.size(), colon.size(), colon) == 0) {
            name = TrimBlanks(std::string_view(name).substr(0, name.size() - colon.size()));
        }
    }
    return name;
}

// "无效的值 (信道参数, 行 8, 发射功率: 超高): path", for a value no editor could have produced;
// said in language.
ExchangeStatus RefusedValue(const std::string& sheet, uint32_t row, const std::string& column,
                            const std::string& text, const std::string& path, int language) {
    const std::string where =
        sheet + ", " + Tr(texts::WordRow, language) + " " + std::to_string(row) + ", " + column +
        ": " + (text.empty() ? Tr(texts::EmptyCell, language) : QuotedCellText(text));
    return ExchangeStatus::Error(
        ExchangeError::BadValue,
        DetailWithPath(Tr(texts::ReasonBadValue, language) + " (" + where + ")", path));
}

// One read of a workbook: where it reads from and what it has found so far.
struct Reading {
    WorkbookSource& source;
    const std::string& path;
    const ImportRules& rules;
    int language;  // the workbook's
    bool either;
    Configuration& read;  // the configuration the records go over
    ConfigurationCheck& result;

    // Ends the read with a refused value, said in the program's language.
    bool Refuse(const std::string& sheet, uint32_t row, const std::string& column,
                const std::string& text) {
        return Fail(RefusedValue(sheet, row, column, text, path, rules.language));
    }
    // Ends the read with this failure.
    bool Fail(ExchangeStatus status) {
        result.status = std::move(status);
        return false;
    }
};

// The common form on its own sheet, else on the first sheet, whatever its name.
bool ReadCommonForm(Reading& reading) {
    const int named = SheetIndexOf(reading.source, Tr(txt::SheetCommon, reading.language));
    const std::size_t index = named < 0 ? 0 : static_cast<std::size_t>(named);
    const std::string& sheet = reading.source.SheetNames()[index];
    SheetCells cells;
    if (auto status = reading.source.ReadSheet(index, cells); !status.ok()) {
        return reading.Fail(status);
    }
    for (const CommonFormField& field : CommonFormFields) {
        const auto row = static_cast<uint32_t>(field.row);
        const std::string& text = cells.Text(row, static_cast<uint32_t>(field.valueColumn));
        const auto value = CommonValueOf(field.column, text, reading.language, reading.either);
        if (!value) {
            return reading.Refuse(sheet, row, FieldName(*field.label, reading.language), text);
        }
        SetCommonFieldText(reading.read.common, *CommonFieldOf(field.column), *value);
    }
    return true;
}

// Checks a channel record and puts its values into their stored form: the frequencies against
// the band, then every other value, then the tone values by their types.
bool CheckChannelRecord(Reading& reading, const std::string& sheet, uint32_t sheetRow,
                        const std::vector<std::string>& titles, ChannelRow& row) {
    for (const int k : {CHANNEL_TX_FREQ, CHANNEL_RX_FREQ}) {
        const std::string& text = row[static_cast<std::size_t>(k)];
        const FrequencyCheck check =
            CheckFrequencyText(text, reading.rules.bandLowMHz, reading.rules.bandHighMHz);
        if (check != FrequencyCheck::Ok) {
            reading.result.fault = FrequencyFault{check, row[CHANNEL_KEY], k, text};
            return false;
        }
    }
    for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k) {
        if (k == CHANNEL_TX_FREQ || k == CHANNEL_RX_FREQ || k == CHANNEL_TX_VALUE ||
            k == CHANNEL_RX_VALUE) {
            continue;
        }
        std::string& text = row[static_cast<std::size_t>(k)];
        const auto value = ChannelValueOf(k, text, reading.language, reading.either);
        if (!value) {
            return reading.Refuse(sheet, sheetRow, titles[static_cast<std::size_t>(k)], text);
        }
        text = *value;
    }
    for (const auto& [type, k] : {std::pair{CHANNEL_TX_TONE, CHANNEL_TX_VALUE},
                                  std::pair{CHANNEL_RX_TONE, CHANNEL_RX_VALUE}}) {
        std::string& text = row[static_cast<std::size_t>(k)];
        const auto value = ToneValueOf(row[static_cast<std::size_t>(type)], text);
        if (!value) {
            reading.result.toneFault = ToneFault{row[CHANNEL_KEY], k, text};
            return false;
        }
        text = *value;
    }
    return true;
}

bool ReadChannelSheet(Reading& reading) {
    const std::string sheet = Tr(txt::SheetChannels, reading.language);
    std::vector<std::string> titles;
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        titles.push_back(ChannelSheetTitle(k, reading.language));
    }
    SheetCells cells;
    std::optional<SheetTable> table;
    std::vector<int> columns;
    if (auto status = ReadTable(reading.source, reading.path, reading.rules.language, sheet, titles,
                                cells, table, columns);
        !status.ok()) {
        return reading.Fail(status);
    }
    bool matched = false;
    for (std::size_t r = 0; r < table->Size(); ++r) {
        ChannelRow row;
        row[CHANNEL_KEY] = ChannelKeyOf(table->Key(r));
        ChannelResult* channel = ChannelOfKey(reading.read, row[CHANNEL_KEY]);
        if (channel == nullptr) {
            reading.result.skippedChannels.push_back(TrimBlanks(table->Key(r)));
            continue;
        }
        for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k) {
            row[static_cast<std::size_t>(k)] =
                table->Field(r, columns[static_cast<std::size_t>(k)]);
        }
        if (!CheckChannelRecord(reading, sheet, table->SheetRow(r), titles, row)) return false;
        // A record replaces its channel whole, as the import writes one; of several records of
        // one key the last is kept.
        ChannelResult record = *channel;
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
            SetChannelFieldText(record, k, row[static_cast<std::size_t>(k)]);
        }
        ApplyChannelUpdate(*channel, RecordUpdate(*channel, record));
        matched = true;
    }
    // Records that all name no channel are a sheet whose keys the import cannot read.
    if (table->Size() > 0 && !matched) {
        return reading.Fail(ExchangeStatus::Error(
            ExchangeError::NoRecordMatch,
            DetailWithPath(
                Tr(texts::ReasonNoRecordMatch, reading.rules.language) + " (" + sheet + ")",
                reading.path)));
    }
    return true;
}

bool ReadScanSheet(Reading& reading) {
    const std::string sheet = Tr(txt::SheetScan, reading.language);
    const std::vector<std::string> titles(ScanColumns.begin(), ScanColumns.end());
    SheetCells cells;
    std::optional<SheetTable> table;
    std::vector<int> columns;
    if (auto status = ReadTable(reading.source, reading.path, reading.rules.language, sheet, titles,
                                cells, table, columns);
        !status.ok()) {
        return reading.Fail(status);
    }
    for (std::size_t r = 0; r < table->Size(); ++r) {
        ScanRow row;
        row[0] = ScanKeyOf(table->Key(r));
        ScanResult* scan = ScanOfKey(reading.read, row[0]);
        if (scan == nullptr) {
            reading.result.skippedScans.push_back(TrimBlanks(table->Key(r)));
            continue;
        }
        for (int k = 1; k < SCAN_COLUMN_COUNT; ++k) {
            const std::string& text = table->Field(r, columns[static_cast<std::size_t>(k)]);
            const auto slot = ScanSlotOf(text);
            if (!slot) {
                return reading.Refuse(sheet, table->SheetRow(r),
                                      titles[static_cast<std::size_t>(k)], text);
            }
            row[static_cast<std::size_t>(k)] = *slot;
        }
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            scan->slots[std::size_t(s - 1)] = row[static_cast<std::size_t>(s)];
        }
    }
    return true;
}

}  // namespace

ConfigurationCheck ReadConfigurationWorkbook(const std::string& path, const ImportRules& rules,
                                             Configuration& configuration) {
    ConfigurationCheck result;
    OpenedWorkbook opened = OpenWorkbookFile(path, rules.language);
    if (!opened.status.ok()) {
        result.status = opened.status;
        return result;
    }
    if (opened.source->SheetNames().empty()) {
        result.status = ReadFailure(ExchangeError::MissingSheet,
                                    Tr(txt::SheetCommon, rules.language), path, rules.language);
        return result;
    }
    result.language = LanguageOf(*opened.source, rules.languages, rules.language);
    if (result.language < 0) {
        result.status = ReadFailure(ExchangeError::MissingSheet,
                                    Tr(txt::SheetChannels, rules.language), path, rules.language);
        return result;
    }
    Configuration read = configuration;
    Reading reading{
        *opened.source, path,  rules, result.language, rules.languages == WorkbookLanguages::Either,
        read,           result};
    if (ReadCommonForm(reading) && ReadChannelSheet(reading) && ReadScanSheet(reading)) {
        configuration = std::move(read);
    }
    return result;
}

}  // namespace q36::exchange
