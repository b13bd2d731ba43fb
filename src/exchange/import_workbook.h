#pragma once
// Open: the whole configuration from a workbook the user names, checked before it is stored.

#include <string>

#include "configuration_reader.h"
#include "exchange_outcome.h"
#include "protocol/run_settings.h"
#include "store/configuration_store.h"

namespace q36::exchange {

// Reads the workbook at path (its format recognised by content) into the store. An empty path is
// a cancelled dialog (ReadCancelled, nothing shown). The whole workbook is checked first: the
// sheets and columns it needs, both frequencies of every channel record whose key names a
// channel against bandLowMHz..bandHighMHz (both included), and every value it would store; then
// everything is stored in one transaction. On any failure the store is as it was, and the
// outcome names the messages to show: the frequency or tone message, if one failed, then
// "文件读取失败！" with the reason below. Records naming no channel or list are listed below
// "文件读取成功！". The reasons are said in language, the program's, whose names are looked for
// first.
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz, int language,
                               WorkbookLanguages languages = WorkbookLanguages::Current);

// The same against the band and in the language of a run.
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               const RunSettings& settings,
                               WorkbookLanguages languages = WorkbookLanguages::Current);

}  // namespace q36::exchange
