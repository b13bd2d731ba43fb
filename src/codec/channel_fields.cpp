#include "channel_fields.h"

#include <charconv>

#include "text_checks.h"

namespace q36 {

namespace {

// The text members in column order; LEVEL (an integer) has none.
constexpr std::array<std::string ChannelResult::*, CHANNEL_COLUMN_COUNT> kTextMembers{
    &ChannelResult::CHANNELNO,
    &ChannelResult::ENABLED,
    &ChannelResult::VOX,
    &ChannelResult::FTX,
    &ChannelResult::FTONE,
    &ChannelResult::SDATA,
    &ChannelResult::TXPOWER,
    &ChannelResult::REFREQUENCY,
    &ChannelResult::RETONE,
    &ChannelResult::REDATA,
    nullptr,
    &ChannelResult::BW,
    &ChannelResult::ADDSCAN,
    &ChannelResult::BUSY};

bool ValidColumn(int k) {
    return k >= 0 && k < CHANNEL_COLUMN_COUNT;
}

}  // namespace

int ChannelColumnIndex(std::string_view column) {
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        if (ChannelColumns[std::size_t(k)] == column) return k;
    }
    return -1;
}

std::string ChannelFieldText(const ChannelResult& row, int k) {
    if (k == CHANNEL_LEVEL) return std::to_string(row.LEVEL);
    return ValidColumn(k) ? row.*kTextMembers[std::size_t(k)] : std::string();
}

bool SetChannelFieldText(ChannelResult& row, int k, std::string_view text) {
    if (!ValidColumn(k)) return false;
    if (k == CHANNEL_LEVEL) {
        int level = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
        if (error != std::errc() || end != text.data() + text.size()) return false;
        row.LEVEL = level;
        return true;
    }
    row.*kTextMembers[std::size_t(k)] = std::string(text);
    return true;
}

bool ChannelColumnWritable(const ChannelResult& row, int k) {
    if (!ValidColumn(k) || k == CHANNEL_KEY) return false;
    return k == CHANNEL_ENABLED || row.ENABLED != "False";
}

bool ApplyChannelUpdate(ChannelResult& row, const ChannelUpdate& update) {
    bool all = true;
    for (const auto& [column, text] : update.assignments) {
        const int k = ChannelColumnIndex(column);
        all = ChannelColumnWritable(row, k) && SetChannelFieldText(row, k, text) && all;
    }
    return all;
}

ChannelUpdate RecordUpdate(const ChannelResult& current, const ChannelResult& record) {
    ChannelUpdate update;
    long long number = 0;
    update.channelNo = TextToInt(current.CHANNELNO, number) ? int(number) : 0;
    auto& out = update.assignments;
    if (current.ENABLED == "False") out.emplace_back(ChannelColumns[CHANNEL_ENABLED], "True");
    for (int k = 0; k < CHANNEL_COLUMN_COUNT; ++k) {
        if (k == CHANNEL_KEY || k == CHANNEL_ENABLED) continue;
        out.emplace_back(ChannelColumns[std::size_t(k)], ChannelFieldText(record, k));
    }
    out.emplace_back(ChannelColumns[CHANNEL_ENABLED], record.ENABLED);
    return update;
}

}  // namespace q36
