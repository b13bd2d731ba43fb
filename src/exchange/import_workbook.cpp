#include "import_workbook.h"

#include "configuration_layout.h"
#include "exchange_texts.h"
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

// "未读入的记录（编号不符）: 信道参数 99, 扫描列表 6", or nothing when every record was read; of
// many such records the first few are named, and how many there are.
std::string SkippedDetail(const ConfigurationCheck& check, int language) {
    constexpr std::size_t kNamed = 10;
    const std::size_t total = check.skippedChannels.size() + check.skippedScans.size();
    std::string detail;
    std::size_t named = 0;
    const auto list = [&](const TextPair& sheet, const std::vector<std::string>& keys) {
        for (std::size_t k = 0; k < keys.size() && named < kNamed; ++k, ++named) {
            detail +=
                (detail.empty() ? Tr(texts::SkippedRecords, language) + ": " : std::string(", ")) +
                Tr(sheet, check.language) + " " + QuotedCellText(keys[k]);
        }
    };
    list(txt::SheetChannels, check.skippedChannels);
    list(txt::SheetScan, check.skippedScans);
    if (total > named) detail += ", … (" + std::to_string(total) + ")";
    return detail;
}

}  // namespace

ExchangeOutcome ReadCheckedWorkbook(const std::string& path, const ImportRules& rules,
                                    Configuration& configuration) {
    const int language = rules.language;
    const ConfigurationCheck check = ReadConfigurationWorkbook(path, rules, configuration);
    ExchangeOutcome outcome{ExchangeResult::ReadFailed, {}, check.language};
    // The names in the messages are those of the language the workbook was found in.
    const auto title = [&check](int column) { return ChannelSheetTitle(column, check.language); };
    if (!check.status.ok()) {
        outcome.messages = {ReadFailedMessage(check.status.detail)};
    } else if (check.fault) {
        const bool notNumber = check.fault->check == FrequencyCheck::NotNumber;
        ExchangeMessage frequency;
        frequency.text = notNumber ? &txt::MsgFreqNotNumber : &txt::MsgFreqError;
        frequency.detail = ChannelValueText(check.fault->channelKey, title(check.fault->column),
                                            QuotedCellText(check.fault->text), language);
        outcome.result =
            notNumber ? ExchangeResult::FrequencyNotNumber : ExchangeResult::FrequencyOutOfBand;
        outcome.messages = {frequency, ReadFailedMessage(path)};
    } else if (check.toneFault) {
        ExchangeMessage tone;
        tone.text = check.toneFault->text.empty() ? &txt::MsgToneEmpty : &txt::MsgToneNotInTable;
        tone.detail = ChannelValueText(check.toneFault->channelKey, title(check.toneFault->column),
                                       QuotedCellText(check.toneFault->text), language);
        outcome.result = ExchangeResult::ToneValueRefused;
        outcome.messages = {tone, ReadFailedMessage(path)};
    } else {
        ExchangeMessage done;
        done.text = &txt::MsgFileReadOk;
        done.detail = SkippedDetail(check, language);
        outcome.result = ExchangeResult::ReadOk;
        outcome.messages = {done};
    }
    return outcome;
}

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               int bandLowMHz, int bandHighMHz, int language,
                               WorkbookLanguages languages, const ConfirmImport& confirm) {
    if (path.empty()) return {ExchangeResult::ReadCancelled, {}};

    // The workbook's records go over what the store holds now.
    Configuration configuration;
    if (StoreResult loaded = LoadConfiguration(queries, configuration); !loaded.ok()) {
        return {ExchangeResult::ReadFailed, {ReadFailedMessage(loaded.detail)}};
    }
    const Configuration current = configuration;
    ImportRules rules;
    rules.bandLowMHz = bandLowMHz;
    rules.bandHighMHz = bandHighMHz;
    rules.languages = languages;
    rules.language = language;
    ExchangeOutcome outcome = ReadCheckedWorkbook(path, rules, configuration);
    if (outcome.result != ExchangeResult::ReadOk) return outcome;
    if (confirm && !confirm(current, configuration)) {
        return {ExchangeResult::ReadCancelled, {}, outcome.workbookLanguage};
    }
    if (StoreResult stored = SaveConfiguration(queries, configuration, language); !stored.ok()) {
        outcome.result = ExchangeResult::ReadFailed;
        outcome.messages = {ReadFailedMessage(stored.detail)};
    }
    return outcome;
}

ExchangeOutcome ImportWorkbook(const std::string& path, ConfigurationQueries& queries,
                               const RunSettings& settings, WorkbookLanguages languages,
                               const ConfirmImport& confirm) {
    return ImportWorkbook(path, queries, settings.BandLowMHz, settings.BandHighMHz,
                          settings.LanguageIndex, languages, confirm);
}

}  // namespace q36::exchange
