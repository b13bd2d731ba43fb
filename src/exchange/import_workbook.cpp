#include "import_workbook.h"

#include <set>

#include "exchange_texts.h"
#include "protocol/run_settings.h"
#include "text/messages.h"
#include "text_forms.h"

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

// "未读入的记录（编号不符）: 信道参数 99, 扫描列表 6", or nothing when every record was read; of
// many such records the first few are named, and how many there are.
std::string SkippedDetail(const ConfigurationCheck& check) {
    constexpr std::size_t kNamed = 10;
    const std::size_t total = check.skippedChannels.size() + check.skippedScans.size();
    std::string detail;
    std::size_t named = 0;
    const auto list = [&](const TextPair& sheet, const std::vector<std::string>& keys) {
        for (std::size_t k = 0; k < keys.size() && named < kNamed; ++k, ++named) {
            detail += (detail.empty() ? Tr(texts::SkippedRecords) + ": " : std::string(", ")) +
                      TrIn(sheet, check.language) + " " + QuotedCellText(keys[k]);
        }
    };
    list(txt::SheetChannels, check.skippedChannels);
    list(txt::SheetScan, check.skippedScans);
    if (total > named) detail += ", … (" + std::to_string(total) + ")";
    return detail;
}

}  // namespace

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz, WorkbookLanguages languages) {
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
    rules.languages = languages;

    ConfigurationRows rows;
    const ConfigurationCheck check = ReadConfigurationWorkbook(path, rules, rows);
    ExchangeOutcome outcome{ExchangeResult::ReadFailed, {}, check.language};
    // The names in the messages are those of the language the workbook was found in.
    const auto title = [&check](int column) { return ChannelSheetTitleIn(column, check.language); };
    if (!check.status.Ok()) {
        outcome.messages = {ReadFailedMessage(check.status.detail)};
    } else if (check.fault) {
        const bool notNumber = check.fault->check == FrequencyCheck::NotNumber;
        ExchangeMessage frequency;
        frequency.text = notNumber ? &txt::MsgFreqNotNumber : &txt::MsgFreqError;
        frequency.detail = ChannelValueText(check.fault->channelKey, title(check.fault->column),
                                            QuotedCellText(check.fault->text));
        outcome.result =
            notNumber ? ExchangeResult::FrequencyNotNumber : ExchangeResult::FrequencyOutOfBand;
        outcome.messages = {frequency, ReadFailedMessage(path)};
    } else if (check.toneFault) {
        ExchangeMessage tone;
        tone.text = check.toneFault->text.empty() ? &txt::MsgToneEmpty : &txt::MsgToneNotInTable;
        tone.detail = ChannelValueText(check.toneFault->channelKey, title(check.toneFault->column),
                                       QuotedCellText(check.toneFault->text));
        outcome.result = ExchangeResult::ToneValueRefused;
        outcome.messages = {tone, ReadFailedMessage(path)};
    } else if (StoreResult stored = WriteStoreRows(queries, rows); !stored.ok()) {
        outcome.messages = {ReadFailedMessage(stored.text)};
    } else {
        ExchangeMessage done;
        done.text = &txt::MsgFileReadOk;
        done.detail = SkippedDetail(check);
        outcome.result = ExchangeResult::ReadOk;
        outcome.messages = {done};
    }
    return outcome;
}

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               WorkbookLanguages languages) {
    return ImportWorkbook(path, queries, BandLowMHz, BandHighMHz, languages);
}

}  // namespace q36::exchange
