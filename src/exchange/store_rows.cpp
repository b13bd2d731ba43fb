#include "store_rows.h"

#include <functional>
#include <memory>

namespace q36::exchange {

namespace {

// Visits every row of a query with its controls suspended, then returns to the row it was on.
StoreResult WalkRows(Query& query, const std::function<void(const Query&)>& visit) {
    if (StoreResult opened = query.Open(); !opened.ok()) return opened;
    const Bookmark mark = query.GetBookmark();
    query.DisableControls();
    StoreResult result = query.First();
    while (result.ok() && !query.Eof()) {
        visit(query);
        result = query.Next();
    }
    StoreResult back = mark.row >= 0 ? query.GotoBookmark(mark) : StoreResult::Ok();
    query.EnableControls();
    return result.ok() ? back : result;
}

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

StoreResult WriteCommon(Query& query, const CommonValues& values) {
    StoreResult result = query.Open();
    if (result.ok()) result = query.First();
    if (result.ok()) result = query.Edit();
    for (std::size_t k = 0; result.ok() && k < CommonFields.size(); ++k) {
        result = query.WriteText(CommonFields[k].column, values[k]);
    }
    return result.ok() ? query.Post() : result;
}

StoreResult WriteChannels(Query& query, const std::vector<ChannelRow>& channels) {
    StoreResult result = query.Open();
    for (const ChannelRow& row : channels) {
        if (!result.ok()) break;
        const std::string_view enabled = ChannelColumns[CHANNEL_ENABLED];
        result = query.Locate(ChannelColumns[CHANNEL_KEY], row[CHANNEL_KEY]);
        if (result.code == StoreErrc::NotFound) {
            result = StoreResult::Ok();
            continue;
        }
        if (result.ok()) result = query.Edit();
        if (result.ok() && query.FieldText(enabled) == "False") {
            result = query.WriteText(enabled, "True");
        }
        for (const int k : ChannelImportOrder) {
            if (!result.ok()) break;
            result = query.WriteText(ChannelColumns[static_cast<std::size_t>(k)],
                                     row[static_cast<std::size_t>(k)]);
        }
        if (result.ok()) result = query.Post();
    }
    return result;
}

StoreResult WriteScans(Query& query, const std::vector<ScanRow>& scans) {
    StoreResult result = query.Open();
    for (const ScanRow& row : scans) {
        if (!result.ok()) break;
        result = query.Locate(ScanColumns[0], row[0]);
        if (result.code == StoreErrc::NotFound) {
            result = StoreResult::Ok();
            continue;
        }
        if (result.ok()) result = query.Edit();
        for (std::size_t k = 1; result.ok() && k < ScanColumns.size(); ++k) {
            result = query.WriteText(ScanColumns[k], row[k]);
        }
        if (result.ok()) result = query.Post();
    }
    return result;
}

}  // namespace

StoreResult ReadStoreRows(ConfigurationQueries& queries, ConfigurationRows& rows) {
    rows = ConfigurationRows();
    StoreResult result = queries.common.Open();
    if (!result.ok()) return result;
    if (queries.common.IsEmpty()) {
        return StoreResult::Error(StoreErrc::MissingRows, "PARAMETABLE holds no row");
    }
    for (std::size_t k = 0; k < CommonFields.size(); ++k) {
        rows.common[k] = queries.common.FieldText(CommonFields[k].column);
    }
    result = WalkRows(queries.channels, [&](const Query& q) {
        ChannelRow& row = rows.channels.emplace_back();
        for (std::size_t k = 0; k < ChannelColumns.size(); ++k)
            row[k] = q.FieldText(ChannelColumns[k]);
    });
    if (!result.ok()) return result;
    return WalkRows(queries.scans, [&](const Query& q) {
        ScanRow& row = rows.scans.emplace_back();
        for (std::size_t k = 0; k < ScanColumns.size(); ++k) row[k] = q.FieldText(ScanColumns[k]);
    });
}

StoreResult WriteStoreRows(ConfigurationQueries& queries, const ConfigurationRows& rows) {
    Connection& connection = queries.channels.GetConnection();
    Query* given[] = {&queries.common, &queries.channels, &queries.scans};
    int positions[3];
    for (int k = 0; k < 3; ++k) {
        // Pending edits are the user's; they are posted before the workbook's rows go in.
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

    StoreResult result = WriteCommon(common, rows.common);
    if (result.ok()) result = WriteChannels(queries.channels, rows.channels);
    if (result.ok()) result = WriteScans(scans, rows.scans);
    if (result.ok()) result = connection.Execute("COMMIT");

    if (!result.ok()) {
        for (Query* query : {&common, &queries.channels, &scans}) query->Cancel();
        connection.Execute("ROLLBACK");
        for (int k = 0; k < 3; ++k) Refresh(*given[k], positions[k]);
        return result;
    }
    // Queries on other connections read the stored rows afresh; the channel query goes back to
    // the row it was on.
    for (int k = 0; k < 3; ++k) {
        if (&given[k]->GetConnection() != &connection) Refresh(*given[k], positions[k]);
    }
    if (positions[1] >= 0 && positions[1] < queries.channels.RecordCount()) {
        queries.channels.MoveTo(positions[1]);
    }
    return StoreResult::Ok();
}

}  // namespace q36::exchange
