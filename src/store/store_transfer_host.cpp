#include "store_transfer_host.h"

#include "codec/scan_block.h"
#include "codec/text_checks.h"

namespace q36 {

namespace {

StoreStatus StatusOf(const StoreResult& result) {
    return result.ok() ? StoreStatus::Ok() : StoreStatus::Failed(result.text);
}

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
StoreStatus EditRow(Query& query, const char* keyColumn, const std::string& key, Write write) {
    const StoreResult located = query.Locate(keyColumn, key);
    if (located.code == StoreErrc::NotFound) return StoreStatus::NoRow();
    if (!located.ok()) return StatusOf(located);
    if (StoreResult r = query.Edit(); !r.ok()) return StatusOf(r);
    if (StoreResult r = write(); !r.ok()) {
        query.Cancel();
        return StatusOf(r);
    }
    return StatusOf(query.Post());
}

}  // namespace

StoreTransferHost::StoreTransferHost(Connection& mainConnection, Connection& scanConnection)
    : paramQuery_(mainConnection),
      channelQuery_(mainConnection),
      channelReadQuery_(mainConnection),
      scanQuery_(scanConnection) {}

StoreResult StoreTransferHost::OpenQueries() {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return r;
    if (StoreResult r = EnsureOpen(channelQuery_, CHANNEL_QUERY_SQL); !r.ok()) return r;
    if (StoreResult r = EnsureOpen(scanQuery_, SCAN_QUERY_SQL); !r.ok()) return r;
    scanQuery_.SetReadOnly("LIST", true);
    return StoreResult::Ok();
}

StoreStatus StoreTransferHost::CommitPendingEdits() {
    if (StoreResult r = PostIfEditing(paramQuery_); !r.ok()) return StatusOf(r);
    return StatusOf(PostIfEditing(channelQuery_));
}

StoreStatus StoreTransferHost::LoadChannelRows(ChannelArr& rows) {
    Query& query = channelReadQuery_;
    query.Close();
    query.SetSql(CHANNEL_QUERY_SQL);
    if (StoreResult r = query.Open(); !r.ok()) return StatusOf(r);
    ChannelArr read(CHANNEL_COUNT);
    for (std::size_t k = 0; k < read.size() && !query.Eof(); ++k) {
        ChannelResult& row = read[k];
        row.CHANNELNO = query.FieldText("CHANNELNO");
        row.ENABLED = query.FieldText("ENABLED");
        row.VOX = query.FieldText("VOX");
        row.FTX = query.FieldText("FTX");
        row.FTONE = query.FieldText("FTONE");
        row.SDATA = query.FieldText("SDATA");
        row.TXPOWER = query.FieldText("TXPOWER");
        row.REFREQUENCY = query.FieldText("REFREQUENCY");
        row.RETONE = query.FieldText("RETONE");
        row.REDATA = query.FieldText("REDATA");
        if (StoreResult r = query.ReadInteger("LEVEL", row.LEVEL); !r.ok()) return StatusOf(r);
        row.BW = query.FieldText("BW");
        row.ADDSCAN = query.FieldText("ADDSCAN");
        row.BUSY = query.FieldText("BUSY");
        if (StoreResult r = query.Next(); !r.ok()) return StatusOf(r);
    }
    query.Close();
    rows = std::move(read);
    return StoreStatus::Ok();
}

StoreStatus StoreTransferHost::StoreChannel(const ChannelUpdate& update) {
    if (StoreResult r = EnsureOpen(channelQuery_, CHANNEL_QUERY_SQL); !r.ok()) return StatusOf(r);
    // ENABLED comes first in the assignments: the grid's lock rule, run on each column written,
    // makes the other columns writable only once the channel is enabled.
    return EditRow(channelQuery_, "CHANNELNO", ChannelKey(update.channelNo), [&]() {
        for (const auto& [column, text] : update.assignments) {
            if (StoreResult r = channelQuery_.WriteText(column, text); !r.ok()) return r;
        }
        return StoreResult::Ok();
    });
}

StoreStatus StoreTransferHost::ReadCommonPage(CommonPage& page) {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return StatusOf(r);
    return StatusOf(ReadCommonRow(paramQuery_, page));
}

StoreStatus StoreTransferHost::ShowCommonPage(const CommonPage& page) {
    if (StoreResult r = EnsureOpen(paramQuery_, PARAM_QUERY_SQL); !r.ok()) return StatusOf(r);
    // An edit already pending on the page is saved first, so that a refused value below drops
    // only what this call wrote.
    if (StoreResult r = PostIfEditing(paramQuery_); !r.ok()) return StatusOf(r);
    if (StoreResult r = paramQuery_.Edit(); !r.ok()) return StatusOf(r);
    if (StoreResult r = WriteCommonRow(paramQuery_, page); !r.ok()) {
        paramQuery_.Cancel();
        return StatusOf(r);
    }
    return StatusOf(paramQuery_.Post());
}

StoreStatus StoreTransferHost::FillScanArr(ScanArr& scans) {
    if (StoreResult r = PostIfEditing(scanQuery_); !r.ok()) return StatusOf(r);
    scanQuery_.Close();
    scanQuery_.SetSql(SCAN_QUERY_SQL);
    if (StoreResult r = scanQuery_.Open(); !r.ok()) return StatusOf(r);
    ScanArr read(SCAN_LIST_COUNT);
    for (int k = 0; k < SCAN_LIST_COUNT && k < scanQuery_.RecordCount(); ++k) {
        ScanResult& row = read[std::size_t(k)];
        long long list = 0;
        row.LIST = TextToInt(scanQuery_.TextAt(k, "LIST"), list) ? int(list) : 0;
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            row.slots[std::size_t(s - 1)] = scanQuery_.TextAt(k, ScanSlotColumn(s));
        }
    }
    scans = std::move(read);
    return StoreStatus::Ok();
}

StoreStatus StoreTransferHost::StoreScanList(
    int listNo, const std::array<std::string, SCAN_SLOT_COUNT>& slots) {
    if (StoreResult r = EnsureOpen(scanQuery_, SCAN_QUERY_SQL); !r.ok()) return StatusOf(r);
    return EditRow(scanQuery_, "LIST", std::to_string(listNo), [&]() {
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            const StoreResult r =
                scanQuery_.WriteText(ScanSlotColumn(s), slots[std::size_t(s - 1)]);
            if (!r.ok()) return r;
        }
        return StoreResult::Ok();
    });
}

}  // namespace q36
