#pragma once
// The configuration's rows as the store's queries hold them: read for a save, written by an open.

#include "configuration_rows.h"
#include "store/query.h"
#include "store/store_result.h"

namespace q36::exchange {

// The queries Save reads and Open writes, as the main window and the scan editor hold them.
struct ConfigurationQueries {
    Query& common;    // "select * from PARAMETABLE"
    Query& channels;  // "select * from CHANNELTABLE"
    Query& scans;     // "SELECT * FROM SCANTABLE" (may be on another connection)
};

// Reads the common row, then every channel row and every scan row in table order; each table
// is walked with its bound controls suspended and left on the row it was on.
StoreResult ReadStoreRows(ConfigurationQueries& queries, ConfigurationRows& rows);

// Stores checked rows in one transaction on the channel query's connection: the common row, then
// each channel row located by its key (ENABLED set "True" first when it reads "False", so that
// the editor's lock rule frees the other columns, and written last), then each scan row located
// by its key. Rows go through the given queries, and through queries of its own on that
// connection for a table whose query lives on another connection, which is opened again
// afterwards. Any failure rolls everything back and opens the queries again, so that they show
// the store as it was; the queries keep the rows they were on.
StoreResult WriteStoreRows(ConfigurationQueries& queries, const ConfigurationRows& rows);

}  // namespace q36::exchange
