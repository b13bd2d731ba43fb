#pragma once
// The transfer's data side over the configuration store: the main window's common-parameter and
// channel queries, the scan editor's scan query, and a second channel query that the write
// transfer reads afresh before every channel block. The window, the command-line tool and the
// tests all keep their rows in it.

#include "common_row.h"
#include "connection.h"
#include "protocol/transfer_data.h"
#include "query.h"

namespace q36 {

inline constexpr const char* PARAM_QUERY_SQL = "select * from PARAMETABLE";
inline constexpr const char* CHANNEL_QUERY_SQL = "select * from CHANNELTABLE";
inline constexpr const char* SCAN_QUERY_SQL = "SELECT * FROM SCANTABLE";

class StoreTransferData : public TransferData {
  public:
    // The common-parameter and channel queries run on mainConnection, the scan query on
    // scanConnection (the scan editor's own); both may be the same connection.
    // The common page's list words are stored in language.
    StoreTransferData(Connection& mainConnection, Connection& scanConnection, int language);
    StoreTransferData(Connection& connection, int language)
        : StoreTransferData(connection, connection, language) {}

    // Opens the three queries as showing the main window does, the scan query's LIST read-only.
    StoreResult OpenQueries();

    // The queries the window binds its page, grid and scan editor to.
    Query& ParamQuery() { return paramQuery_; }
    Query& ChannelQuery() { return channelQuery_; }
    Query& ScanQuery() { return scanQuery_; }

    StoreResult CommitPendingEdits() override;
    StoreResult LoadChannelRows(ChannelArr& rows) override;
    StoreResult StoreChannel(const ChannelUpdate& update) override;
    StoreResult ReadCommonPage(CommonPage& page) override;
    StoreResult ShowCommonPage(const CommonPage& page) override;
    StoreResult FillScanArr(ScanArr& scans) override;
    StoreResult StoreScanList(int listNo,
                              const std::array<std::string, SCAN_SLOT_COUNT>& slots) override;

  private:
    int language_;
    Query paramQuery_;
    Query channelQuery_;
    Query channelReadQuery_;
    Query scanQuery_;
};

}  // namespace q36
