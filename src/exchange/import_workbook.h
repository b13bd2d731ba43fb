#pragma once
// Open: the whole configuration from a workbook the user names, checked before it is stored.

#include <string>

#include "exchange_outcome.h"
#include "store_rows.h"

namespace q36::exchange {

// Reads the workbook at path (its format recognised by content) into the store. An empty path is
// a cancelled dialog (ReadCancelled, nothing shown). The whole workbook is checked first: the
// sheets and columns it needs, and both frequencies of every channel record whose key names a
// channel against bandLowMHz..bandHighMHz (both included); then everything is stored in one
// transaction. On any failure the store is as it was, and the outcome names the messages to
// show: the frequency message, if one failed, then "文件读取失败！" with the reason below.
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz);

// The same against the band of this run (BandLowMHz, BandHighMHz).
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries);

}  // namespace q36::exchange
