#include "configuration_reader.h"

#include <map>

#include "sheet_table.h"
#include "workbook_source.h"

namespace q36::exchange {

namespace {

ConfigurationCheck Failed(ExchangeStatus status) {
    return {std::move(status), std::nullopt};
}

// The sheet of this name as a table keyed by its first title; MissingSheet or MissingColumn
// when the sheet or one of the titles is not there.
ExchangeStatus ReadTable(WorkbookSource& source, const std::string& path, const std::string& name,
                         const std::vector<std::string>& titles, SheetCells& cells,
                         std::optional<SheetTable>& table, std::vector<int>& columns) {
    const int index = SheetIndexOf(source, name);
    if (index < 0) return ReadFailure(ExchangeError::MissingSheet, name, path);
    if (auto status = source.ReadSheet(static_cast<std::size_t>(index), cells); !status.Ok()) {
        return status;
    }
    table = SheetTable::FromCells(cells, titles.front());
    if (!table)
        return ReadFailure(ExchangeError::MissingColumn, name + ": " + titles.front(), path);
    columns.clear();
    for (const auto& title : titles) {
        columns.push_back(table->ColumnIndex(title));
        if (columns.back() < 0) {
            return ReadFailure(ExchangeError::MissingColumn, name + ": " + title, path);
        }
    }
    return ExchangeStatus::Success();
}

// Keeps the record under its key: a later record of a key replaces the earlier one in place.
template <typename Row>
void Keep(std::vector<Row>& rows, std::map<std::string, std::size_t>& positions, Row row) {
    const auto [it, inserted] = positions.try_emplace(row[0], rows.size());
    if (inserted) {
        rows.push_back(std::move(row));
    } else {
        rows[it->second] = std::move(row);
    }
}

}  // namespace

ConfigurationCheck ReadConfigurationWorkbook(const std::string& path, const ImportRules& rules,
                                             ConfigurationRows& rows) {
    rows = ConfigurationRows();
    OpenedWorkbook opened = OpenWorkbookFile(path);
    if (!opened.status.Ok()) return Failed(opened.status);
    WorkbookSource& source = *opened.source;

    // The common parameters sit on the first sheet, whatever its name.
    if (source.SheetNames().empty()) {
        return Failed(ReadFailure(ExchangeError::MissingSheet, Tr(txt::SheetCommon), path));
    }
    {
        SheetCells cells;
        if (auto status = source.ReadSheet(0, cells); !status.Ok()) return Failed(status);
        for (std::size_t k = 0; k < CommonFields.size(); ++k) {
            rows.common[k] = cells.Text(static_cast<uint32_t>(CommonFields[k].row),
                                        static_cast<uint32_t>(CommonFields[k].valueColumn));
        }
    }

    {
        std::vector<std::string> titles;
        for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) titles.push_back(ChannelSheetTitle(k));
        SheetCells cells;
        std::optional<SheetTable> table;
        std::vector<int> columns;
        if (auto status =
                ReadTable(source, path, Tr(txt::SheetChannels), titles, cells, table, columns);
            !status.Ok()) {
            return Failed(status);
        }
        std::map<std::string, std::size_t> positions;
        for (std::size_t r = 0; r < table->Size(); ++r) {
            if (!rules.channelKeyExists(table->Key(r))) continue;
            ChannelRow row;
            for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
                row[static_cast<std::size_t>(k)] =
                    table->Field(r, columns[static_cast<std::size_t>(k)]);
            }
            for (const int k : {CHANNEL_TX_FREQ, CHANNEL_RX_FREQ}) {
                const std::string& text = row[static_cast<std::size_t>(k)];
                const FrequencyCheck check =
                    CheckFrequencyText(text, rules.bandLowMHz, rules.bandHighMHz);
                if (check != FrequencyCheck::Ok) {
                    return {ExchangeStatus::Success(), FrequencyFault{check, row[0], k, text}};
                }
            }
            Keep(rows.channels, positions, std::move(row));
        }
    }

    {
        const std::vector<std::string> titles(ScanColumns.begin(), ScanColumns.end());
        SheetCells cells;
        std::optional<SheetTable> table;
        std::vector<int> columns;
        if (auto status =
                ReadTable(source, path, Tr(txt::SheetScan), titles, cells, table, columns);
            !status.Ok()) {
            return Failed(status);
        }
        std::map<std::string, std::size_t> positions;
        for (std::size_t r = 0; r < table->Size(); ++r) {
            if (!rules.scanKeyExists(table->Key(r))) continue;
            ScanRow row;
            for (int k = 0; k < SCAN_COLUMN_COUNT; ++k) {
                row[static_cast<std::size_t>(k)] =
                    table->Field(r, columns[static_cast<std::size_t>(k)]);
            }
            Keep(rows.scans, positions, std::move(row));
        }
    }
    return {ExchangeStatus::Success(), std::nullopt};
}

}  // namespace q36::exchange
