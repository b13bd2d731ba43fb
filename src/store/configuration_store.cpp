#include "configuration_store.h"

#include <memory>

#include "codec/channel_fields.h"
#include "codec/text_checks.h"
#include "common_row.h"

namespace q36 {

namespace {

constexpr std::string_view kListColumn = "LIST";

// The query to write a table through: the given one when it shares the connection, otherwise
// one of our own on the connection, kept in spare.
Query& WriterFor(Query& query, Connection& connection, std::unique_ptr<Query>& spare) {
    if (&query.GetConnection() == &connection) return query;
    spare = std::make_unique<Query>(connection);
    spare->SetSql(query.Sql());
    return *spare;
}

// Opens a query again and puts it back on the row it was on.
void Refresh(Query& query, int row) {
    if (query.Reopen().ok() && row >= 0 && row < query.RecordCount()) query.MoveTo(row);
}

// Locates the row of key, edits it with write() and posts it; a row the store lacks is passed
// over.
template <typename Write>
StoreResult EditRowOf(Query& query, std::string_view keyColumn, const std::string& key,
                      Write write) {
    StoreResult result = query.Locate(keyColumn, key);
    if (result.code == StoreErrc::NotFound) return StoreResult::Ok();
    if (result.ok()) result = query.Edit();
    if (result.ok()) result = write(query);
    return result.ok() ? query.Post() : result;
}

StoreResult SaveRows(Query& common, Query& channels, Query& scans,
                     const Configuration& configuration, int language) {
    StoreResult result = common.Open();
    if (result.ok()) result = common.First();
    if (result.ok()) result = common.Edit();
    if (result.ok()) result = WriteCommonRow(common, configuration.common, language);
    if (result.ok()) result = common.Post();
    if (result.ok()) result = channels.Open();
    for (const ChannelResult& row : configuration.channels) {
        if (!result.ok()) break;
        result = EditRowOf(channels, ChannelColumns[CHANNEL_KEY], row.CHANNELNO,
                           [&row](Query& q) { return WriteChannelRow(q, row); });
    }
    if (result.ok()) result = scans.Open();
    for (const ScanResult& row : configuration.scans) {
        if (!result.ok()) break;
        result = EditRowOf(scans, kListColumn, std::to_string(row.LIST),
                           [&row](Query& q) { return WriteScanRow(q, row); });
    }
    return result;
}

}  // namespace

ChannelResult ChannelOfRow(const Query& query, int k) {
    ChannelResult row;
    for (int c = 0; c < CHANNEL_COLUMN_COUNT; ++c) {
        const std::string text = query.TextAt(k, ChannelColumns[std::size_t(c)]);
        if (!SetChannelFieldText(row, c, text)) row.LEVEL = 0;
    }
    return row;
}

StoreResult WriteChannelRow(Query& query, const ChannelResult& row) {
    for (int c = 0; c < CHANNEL_COLUMN_COUNT; ++c) {
        if (c == CHANNEL_KEY) continue;
        StoreResult r =
            c == CHANNEL_LEVEL
                ? query.WriteInteger(ChannelColumns[std::size_t(c)], row.LEVEL)
                : query.WriteText(ChannelColumns[std::size_t(c)], ChannelFieldText(row, c));
        if (!r.ok()) return r;
    }
    return StoreResult::Ok();
}

ScanResult ScanOfRow(const Query& query, int k) {
    ScanResult row;
    long long list = 0;
    row.LIST = TextToInt(query.TextAt(k, kListColumn), list) ? int(list) : 0;
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
        row.slots[std::size_t(s - 1)] = query.TextAt(k, ScanSlotColumn(s));
    }
    return row;
}

StoreResult WriteScanRow(Query& query, const ScanResult& row) {
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
        if (StoreResult r = query.WriteText(ScanSlotColumn(s), row.slots[std::size_t(s - 1)]);
            !r.ok()) {
            return r;
        }
    }
    return StoreResult::Ok();
}

StoreResult LoadConfiguration(ConfigurationQueries& queries, Configuration& configuration) {
    for (Query* query : {&queries.common, &queries.channels, &queries.scans}) {
        if (StoreResult opened = query->Open(); !opened.ok()) return opened;
    }
    if (queries.common.IsEmpty()) {
        return StoreResult::Error(StoreErrc::MissingRows, "PARAMETABLE holds no row");
    }
    Configuration loaded;
    if (StoreResult r = ReadCommonRow(queries.common, loaded.common); !r.ok()) return r;
    for (int k = 0; k < queries.channels.RecordCount(); ++k) {
        loaded.channels.push_back(ChannelOfRow(queries.channels, k));
    }
    for (int k = 0; k < queries.scans.RecordCount(); ++k) {
        loaded.scans.push_back(ScanOfRow(queries.scans, k));
    }
    configuration = std::move(loaded);
    return StoreResult::Ok();
}

StoreResult SaveConfiguration(ConfigurationQueries& queries, const Configuration& configuration,
                              int language) {
    Connection& connection = queries.channels.GetConnection();
    Query* given[] = {&queries.common, &queries.channels, &queries.scans};
    int positions[3];
    for (int k = 0; k < 3; ++k) {
        // Pending edits are the user's; they are posted before the new rows go in.
        if (StoreResult opened = given[k]->Open(); !opened.ok()) return opened;
        if (given[k]->InEditMode()) {
            if (StoreResult posted = given[k]->Post(); !posted.ok()) return posted;
        }
        positions[k] = given[k]->RowIndex();
    }

    if (StoreResult begun = connection.Execute("BEGIN IMMEDIATE"); !begun.ok()) return begun;
    std::unique_ptr<Query> commonSpare, scanSpare;
    Query& common = WriterFor(queries.common, connection, commonSpare);
    Query& scans = WriterFor(queries.scans, connection, scanSpare);

    StoreResult result = SaveRows(common, queries.channels, scans, configuration, language);
    if (result.ok()) result = connection.Execute("COMMIT");

    if (!result.ok()) {
        for (Query* query : {&common, &queries.channels, &scans}) query->Cancel();
        connection.Execute("ROLLBACK");
        for (int k = 0; k < 3; ++k) Refresh(*given[k], positions[k]);
        return result;
    }
    // Queries on other connections read the stored rows afresh; the others go back to the row
    // they were on.
    for (int k = 0; k < 3; ++k) {
        if (&given[k]->GetConnection() != &connection) {
            Refresh(*given[k], positions[k]);
        } else if (positions[k] >= 0 && positions[k] < given[k]->RecordCount()) {
            given[k]->MoveTo(positions[k]);
        }
    }
    return StoreResult::Ok();
}

}  // namespace q36
