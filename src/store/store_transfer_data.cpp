#include "store_transfer_data.h"

#include "codec/channel_fields.h"
#include "codec/scan_block.h"
#include "configuration_store.h"
#include "text/language.h"

namespace q36 {

namespace {

// Opens a query with its statement unless it is open already, as a window's data set is.
StoreResult EnsureOpen(Query& query, const char* sql) {
    if (query.Active()) return StoreResult::Ok();
    query.SetSql(sql);
    return query.Open();
}

StoreResult PostIfEditing(Query& query) {
    return query.InEditMode() ? query.Post() : StoreResult::Ok();
}

// Locates a row by key, edits it with write(), and posts it. A value refused on the way drops
// the whole edit, so the row is never posted half-written; a failed post keeps the edit pending.
template <typename Write>
StoreResult EditRow(Query& query, const char* keyColumn, const std::string& key, Write write) {
    const StoreResult located = query.Locate(keyColumn, key);
    if (!located.ok()) return located;  // NotFound: no row has the key
    if (StoreResult r = query.Edit(); !r.ok()) return r;
    if (StoreResult r = write(); !r.ok()) {
        query.Cancel();
        return r;
    }
    return query.Post();
}

}  // namespace

StoreTransferData::StoreTransferData(Connection& mainConnection, Connection& scanConnection,
                                     int language)
    : language_(language),
      paramQuery_(mainConnection),
      channelQuery_(mainConnection),
      channelReadQuery_(mainConnection),
      scanQuery_(scanConnection) {}

StoreResult StoreTransferData::OpenQueries() {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return r;
    if (StoreResult r = EnsureOpen(channelQuery_, CHANNEL_QUERY_SQL); !r.ok()) return r;
    if (StoreResult r = EnsureOpen(scanQuery_, SCAN_QUERY_SQL); !r.ok()) return r;
    scanQuery_.SetReadOnly("LIST", true);
    return StoreResult::Ok();
}

StoreResult StoreTransferData::CommitPendingEdits() {
    if (StoreResult r = PostIfEditing(paramQuery_); !r.ok()) return r;
    return PostIfEditing(channelQuery_);
}

StoreResult StoreTransferData::LoadChannelRows(ChannelArr& rows) {
    Query& query = channelReadQuery_;
    query.Close();
    query.SetSql(CHANNEL_QUERY_SQL);
    if (StoreResult r = query.Open(); !r.ok()) return r;
    ChannelArr read(CHANNEL_COUNT);
    for (int k = 0; k < CHANNEL_COUNT && k < query.RecordCount(); ++k) {
        read[std::size_t(k)] = ChannelOfRow(query, k);
    }
    query.Close();
    rows = std::move(read);
    return StoreResult::Ok();
}

StoreResult StoreTransferData::StoreChannel(const ChannelUpdate& update) {
    if (StoreResult r = EnsureOpen(channelQuery_, CHANNEL_QUERY_SQL); !r.ok()) return r;
    return EditRow(channelQuery_, "CHANNELNO", ChannelKey(update.channelNo), [&]() {
        // A disabled channel keeps its values: the lock rule takes only what it allows.
        ChannelResult row = ChannelOfRow(channelQuery_, channelQuery_.RowIndex());
        ApplyChannelUpdate(row, update);
        return WriteChannelRow(channelQuery_, row);
    });
}

StoreResult StoreTransferData::ReadCommonPage(CommonPage& page) {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return r;
    return ReadCommonRow(paramQuery_, page);
}

StoreResult StoreTransferData::ShowCommonPage(const CommonPage& page) {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return r;
    // An edit already pending on the page is saved first, so that a refused value below drops
    // only what this call wrote.
    if (StoreResult r = PostIfEditing(paramQuery_); !r.ok()) return r;
    if (StoreResult r = paramQuery_.Edit(); !r.ok()) return r;
    if (StoreResult r = WriteCommonRow(paramQuery_, page, language_); !r.ok()) {
        paramQuery_.Cancel();
        return r;
    }
    return paramQuery_.Post();
}

StoreResult StoreTransferData::FillScanArr(ScanArr& scans) {
    if (StoreResult r = PostIfEditing(scanQuery_); !r.ok()) return r;
    scanQuery_.Close();
    scanQuery_.SetSql(SCAN_QUERY_SQL);
    if (StoreResult r = scanQuery_.Open(); !r.ok()) return r;
    ScanArr read(SCAN_LIST_COUNT);
    for (int k = 0; k < SCAN_LIST_COUNT && k < scanQuery_.RecordCount(); ++k) {
        read[std::size_t(k)] = ScanOfRow(scanQuery_, k);
    }
    scans = std::move(read);
    return StoreResult::Ok();
}

StoreResult StoreTransferData::StoreScanList(
    int listNo, const std::array<std::string, SCAN_SLOT_COUNT>& slots) {
    if (StoreResult r = EnsureOpen(scanQuery_, SCAN_QUERY_SQL); !r.ok()) return r;
    return EditRow(scanQuery_, "LIST", std::to_string(listNo), [&]() {
        ScanResult row;
        row.LIST = listNo;
        row.slots = slots;
        return WriteScanRow(scanQuery_, row);
    });
}

}  // namespace q36
