#pragma once
// The one mapping between the configuration value and the store's rows: a channel row, the
// common-parameter row and a scan-list row each to and from their query row, and the whole
// configuration loaded from and saved to the three queries.

#include "codec/configuration.h"
#include "protocol/store_result.h"
#include "query.h"

namespace q36 {

// The queries a configuration is loaded from and saved to, as the main window and the scan
// editor hold them.
struct ConfigurationQueries {
    Query& common;    // "select * from PARAMETABLE"
    Query& channels;  // "select * from CHANNELTABLE"
    Query& scans;     // "SELECT * FROM SCANTABLE" (may be on another connection)
};

// Row k of a channel query (its unposted edit included, when it is the current row). A LEVEL
// that reads as no number is 0.
ChannelResult ChannelOfRow(const Query& query, int k);
// Writes the 13 columns of row (all but the key) into the current row of a query in edit state;
// stops at the first column that refuses its value.
StoreResult WriteChannelRow(Query& query, const ChannelResult& row);

// Row k of a scan query.
ScanResult ScanOfRow(const Query& query, int k);
// Writes the 16 slots of row into the current row of a query in edit state.
StoreResult WriteScanRow(Query& query, const ScanResult& row);

// The configuration the queries hold (each opened if it is not), their unposted edits included:
// the common row, the channel rows and the scan rows in table order.
StoreResult LoadConfiguration(ConfigurationQueries& queries, Configuration& configuration);

// Stores a whole configuration in one transaction on the channel query's connection: the common
// row (list words in the given language), every channel row and every scan row located by its
// key (a row the store lacks is passed over). Pending edits of the queries are posted first, as
// the user's. Rows go through the given queries, and through queries of its own on that
// connection for a table whose query lives on another connection, which is opened again
// afterwards. Any failure rolls everything back and opens the queries again, so that they show
// the store as it was; the queries keep the rows they were on.
StoreResult SaveConfiguration(ConfigurationQueries& queries, const Configuration& configuration,
                              int language);

}  // namespace q36
