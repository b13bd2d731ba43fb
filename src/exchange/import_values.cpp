#include "import_values.h"

#include <array>
#include <cmath>

#include "codec/channel_fields.h"
#include "codec/text_checks.h"
#include "codec/tone_tables.h"
#include "configuration_layout.h"
#include "text/choice_lists.h"
#include "text_forms.h"
#include "workbook_source.h"

namespace q36::exchange {

namespace {

enum class Kind { Word, Boolean, Digits, ToneType, Level, Other };

struct ValueRule {
    Kind kind = Kind::Other;
    ChoiceList list{};
    std::size_t digits = 0;  // the most digits of a Digits value
};

ValueRule Word(ChoiceList list) {
    return {Kind::Word, list, 0};
}

ValueRule Digits(std::size_t digits) {
    return {Kind::Digits, {}, digits};
}

const ValueRule kBoolean{Kind::Boolean, {}, 0};

// The rule of each value by its column; the lengths of the digits are the edits' own.
ValueRule RuleOf(std::string_view column) {
    static const std::array<std::pair<std::string_view, ValueRule>, 27> rules{{
        {"AVISET", Digits(5)},
        {"POWERPRESS", Word(lists::PowerPress)},
        {"AVIMODE", Word(lists::AniMode)},
        {"KEYAPRESS", Word(lists::KeyAPress)},
        {"TOPSET", Digits(3)},
        {"KEYBPRESS", Word(lists::KeyBPress)},
        {"LOWALARM", Word(lists::Voltage)},
        {"TEMCONTROL", kBoolean},
        {"LOWBAN", Word(lists::Voltage)},
        {"KEYENABLED", kBoolean},
        {"SCANPAUSE", Word(lists::ScanPause)},
        {"SCANCHANSEL", Word(lists::ScanChanSel)},
        {"SCANRESTAR", Word(lists::ScanRestart)},
        {"SCANPAUSESEL", Word(lists::ScanPauseSel)},
        {"LOSTTIME", Digits(3)},
        {"HIGHTRANPOWER", Digits(3)},
        {"MIDTRANPOWER", Digits(3)},
        {"LOWTRANPOWER", Digits(3)},
        {"ENABLED", kBoolean},
        {"VOX", kBoolean},
        {"FTONE", {Kind::ToneType, {}, 0}},
        {"TXPOWER", Word(lists::TxPower)},
        {"RETONE", {Kind::ToneType, {}, 0}},
        {"LEVEL", {Kind::Level, {}, 0}},
        {"BW", Word(lists::Bandwidth)},
        {"ADDSCAN", Word(lists::AddScan)},
        {"BUSY", Word(lists::Busy)},
    }};
    for (const auto& [name, rule] : rules) {
        if (name == column) return rule;
    }
    return {};
}

// The first of the texts that names the same as text, ASCII letters in any case.
template <typename Texts>
std::optional<std::string> NamedIn(const Texts& texts, std::string_view text) {
    for (const auto& candidate : texts) {
        if (SameName(candidate, text)) return std::string(candidate);
    }
    return std::nullopt;
}

std::optional<std::string> ValueByRule(const ValueRule& rule, std::string_view text, int language,
                                       bool eitherLanguage) {
    std::string trimmed = TrimBlanks(text);
    switch (rule.kind) {
        case Kind::Word: {
            const int position = eitherLanguage ? ChoiceIndexOfAny(rule.list, trimmed, language)
                                                : ChoiceIndexOf(rule.list, trimmed, language);
            if (position < 0) return std::nullopt;
            return trimmed;
        }
        case Kind::Boolean:
            return NamedIn(std::array<std::string_view, 2>{"True", "False"}, trimmed);
        case Kind::Digits:
            if (!IsDigits(trimmed) || trimmed.size() > rule.digits) return std::nullopt;
            return trimmed;
        case Kind::ToneType:
            return NamedIn(ToneTypeTexts, trimmed);
        case Kind::Level: {
            const auto level = WholeNumberOf(trimmed);
            if (!level || *level > 8) return std::nullopt;
            return std::to_string(*level);
        }
        case Kind::Other:
            break;
    }
    return std::string(text);
}

}  // namespace

std::optional<long> WholeNumberOf(std::string_view text) {
    const auto number = NumberFromText(text);
    // Far beyond any key or level, and well within a long.
    if (!number || *number < 0 || *number > 1e9 || std::floor(*number) != *number) {
        return std::nullopt;
    }
    return static_cast<long>(*number);
}

std::string ChannelKeyOf(std::string_view text) {
    const auto number = WholeNumberOf(text);
    return number ? ChannelKey(int(*number)) : TrimBlanks(text);
}

std::string ScanKeyOf(std::string_view text) {
    const auto number = WholeNumberOf(text);
    return number ? std::to_string(*number) : TrimBlanks(text);
}

std::optional<std::string> CommonValueOf(std::string_view column, std::string_view text,
                                         int language, bool eitherLanguage) {
    const ValueRule rule = RuleOf(column);
    if (rule.kind == Kind::Other) return std::nullopt;
    return ValueByRule(rule, text, language, eitherLanguage);
}

std::optional<std::string> ChannelValueOf(int k, std::string_view text, int language,
                                          bool eitherLanguage) {
    if (k < 0 || k >= CHANNEL_COLUMN_COUNT) return std::nullopt;
    return ValueByRule(RuleOf(ChannelColumns[std::size_t(k)]), text, language, eitherLanguage);
}

std::optional<std::string> ToneValueOf(std::string_view type, std::string_view text) {
    if (ToneTypeCode(type) == int(ToneType::None)) return std::string();
    const ToneTable table = ToneValueTable(type);
    const std::string trimmed = TrimBlanks(text);
    for (const std::string_view entry : table) {
        if (entry == trimmed) return std::string(entry);
    }
    if (table.data() == DCSTable.data()) {
        // DCS codes by their digits: "023" and 23 name code 23.
        const auto code = WholeNumberOf(trimmed);
        if (!code) return std::nullopt;
        const std::string digits = std::to_string(*code);
        for (const std::string_view entry : table) {
            if (entry == digits) return std::string(entry);
        }
        return std::nullopt;
    }
    // CTCSS tones by their value: 100 and "100.00" name "100.0".
    const auto value = NumberFromText(trimmed);
    if (!value) return std::nullopt;
    for (const std::string_view entry : table) {
        if (NumberFromText(entry) == value) return std::string(entry);
    }
    return std::nullopt;
}

std::optional<std::string> ScanSlotOf(std::string_view text) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) return std::string("NULL");
    if (SameName(trimmed, "NULL")) return std::string("NULL");
    return NamedIn(ChannelNameTable, trimmed);
}

}  // namespace q36::exchange
