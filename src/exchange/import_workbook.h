#pragma once
// Open: the whole configuration from a workbook the user names, checked before it is stored.

#include <functional>
#include <string>

#include "configuration_reader.h"
#include "exchange_outcome.h"
#include "protocol/run_settings.h"
#include "store/configuration_store.h"

namespace q36::exchange {

// Asked between reading a workbook and storing it, with the store's configuration and the one
// the store would hold after; false leaves the store as it was (ReadCancelled, nothing shown).
using ConfirmImport =
    std::function<bool(const Configuration& current, const Configuration& incoming)>;

// Reads and checks the workbook at path over configuration as Open does, storing nothing: ReadOk
// with the records naming no channel or list below "文件读取成功！", or the messages Open shows
// for a workbook it cannot take (configuration then left as it was).
ExchangeOutcome ReadCheckedWorkbook(const std::string& path, const ImportRules& rules,
                                    Configuration& configuration);

// Reads the workbook at path (its format recognised by content) into the store. An empty path is
// a cancelled dialog (ReadCancelled, nothing shown). The whole workbook is checked first: the
// sheets and columns it needs, both frequencies of every channel record whose key names a
// channel against bandLowMHz..bandHighMHz (both included), and every value it would store; then
// everything is stored in one transaction. On any failure the store is as it was, and the
// outcome names the messages to show: the frequency or tone message, if one failed, then
// "文件读取失败！" with the reason below. Records naming no channel or list are listed below
// "文件读取成功！". The reasons are said in language, the program's, whose names are looked for
// first. When confirm is given, it decides after the check whether anything is stored.
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz, int language,
                               WorkbookLanguages languages = WorkbookLanguages::Current,
                               const ConfirmImport& confirm = {});

// The same against the band and in the language of a run.
ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               const RunSettings& settings,
                               WorkbookLanguages languages = WorkbookLanguages::Current,
                               const ConfirmImport& confirm = {});

}  // namespace q36::exchange
