#include "import_workbook.h"

#include <set>

#include "configuration_reader.h"
#include "protocol/run_settings.h"

namespace q36::exchange {

namespace {

ExchangeMessage ReadFailedMessage(const std::string& detail) {
    ExchangeMessage message;
    message.text = &txt::MsgFileReadFailed;
    message.detail = detail;
    return message;
}

// The key texts of a query's rows, as the rows' locate compares them.
std::set<std::string> KeysOf(const Query& query, std::string_view column) {
    std::set<std::string> keys;
    for (int row = 0; row < query.RecordCount(); ++row) keys.insert(query.TextAt(row, column));
    return keys;
}

// "信道 07 发送频率: 300": which record, which column and what it holds.
std::string FaultDetail(const FrequencyFault& fault) {
    return Tr(txt::TxtChannel) + " " + fault.channelKey + " " + ChannelSheetTitle(fault.column) +
           ": " + fault.text;
}

}  // namespace

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz) {
    if (path.empty()) return {ExchangeResult::ReadCancelled, {}};

    for (Query* query : {&queries.common, &queries.channels, &queries.scans}) {
        if (StoreResult opened = query->Open(); !opened.ok()) {
            return {ExchangeResult::ReadFailed, {ReadFailedMessage(opened.text)}};
        }
    }
    const std::set<std::string> channelKeys = KeysOf(queries.channels, ChannelColumns[CHANNEL_KEY]);
    const std::set<std::string> scanKeys = KeysOf(queries.scans, ScanColumns[0]);
    ImportRules rules;
    rules.channelKeyExists = [&](const std::string& key) { return channelKeys.count(key) > 0; };
    rules.scanKeyExists = [&](const std::string& key) { return scanKeys.count(key) > 0; };
    rules.bandLowMHz = bandLowMHz;
    rules.bandHighMHz = bandHighMHz;

    ConfigurationRows rows;
    const ConfigurationCheck check = ReadConfigurationWorkbook(path, rules, rows);
    if (!check.status.Ok()) {
        return {ExchangeResult::ReadFailed, {ReadFailedMessage(check.status.detail)}};
    }
    if (check.fault) {
        const bool notNumber = check.fault->check == FrequencyCheck::NotNumber;
        ExchangeMessage frequency;
        frequency.text = notNumber ? &txt::MsgFreqNotNumber : &txt::MsgFreqError;
        frequency.detail = FaultDetail(*check.fault);
        return {notNumber ? ExchangeResult::FrequencyNotNumber : ExchangeResult::FrequencyOutOfBand,
                {frequency, ReadFailedMessage(path)}};
    }

    if (StoreResult stored = WriteStoreRows(queries, rows); !stored.ok()) {
        return {ExchangeResult::ReadFailed, {ReadFailedMessage(stored.text)}};
    }
    ExchangeMessage done;
    done.text = &txt::MsgFileReadOk;
    return {ExchangeResult::ReadOk, {done}};
}

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries) {
    return ImportWorkbook(path, queries, BandLowMHz, BandHighMHz);
}

}  // namespace q36::exchange
