#include "configuration.h"

#include <algorithm>

#include "channel_fields.h"
#include "common_fields.h"
#include "frequency.h"

namespace q36 {

Configuration BlankConfiguration() {
    Configuration blank;
    blank.channels.resize(CHANNEL_COUNT);
    for (int n = 1; n <= CHANNEL_COUNT; ++n)
        blank.channels[std::size_t(n - 1)].CHANNELNO = ChannelKey(n);
    blank.scans.resize(SCAN_LIST_COUNT);
    for (int j = 1; j <= SCAN_LIST_COUNT; ++j) blank.scans[std::size_t(j - 1)].LIST = j;
    return blank;
}

namespace {

// Frequencies and tone values are numbers however they are written: a workbook gives "400" where
// a read stores "400.0000".
bool NumericColumn(std::string_view column) {
    return column == "FTX" || column == "REFREQUENCY" || column == "SDATA" || column == "REDATA";
}

bool SameNumber(const std::string& a, const std::string& b) {
    const auto x = ParseDecimalText(a);
    const auto y = ParseDecimalText(b);
    return x && y && x->negative == y->negative && x->intDigits == y->intDigits &&
           x->fracDigits == y->fracDigits;
}

void Compare(std::vector<FieldChange>& changes, FieldChange::Part part, int number,
             std::string_view column, std::string before, std::string after) {
    if (before == after) return;
    if (part == FieldChange::Part::Channel && NumericColumn(column) && SameNumber(before, after))
        return;
    changes.push_back({part, number, std::string(column), std::move(before), std::move(after)});
}

template <typename Row>
const Row* At(const std::vector<Row>& rows, std::size_t k) {
    return k < rows.size() ? &rows[k] : nullptr;
}

}  // namespace

std::vector<FieldChange> Diff(const Configuration& a, const Configuration& b, int language) {
    std::vector<FieldChange> changes;
    using Part = FieldChange::Part;
    for (const CommonField& field : CommonFields) {
        Compare(changes, Part::Common, 0, field.column, CommonFieldText(a.common, field, language),
                CommonFieldText(b.common, field, language));
    }
    for (std::size_t i = 0; i < std::max(a.channels.size(), b.channels.size()); ++i) {
        const ChannelResult* before = At(a.channels, i);
        const ChannelResult* after = At(b.channels, i);
        // A side without the channel counts as empty in every field, LEVEL included.
        for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k) {
            Compare(changes, Part::Channel, int(i) + 1, ChannelColumns[std::size_t(k)],
                    before ? ChannelFieldText(*before, k) : std::string(),
                    after ? ChannelFieldText(*after, k) : std::string());
        }
    }
    for (std::size_t j = 0; j < std::max(a.scans.size(), b.scans.size()); ++j) {
        const ScanResult* before = At(a.scans, j);
        const ScanResult* after = At(b.scans, j);
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            Compare(changes, Part::ScanList, int(j) + 1, ScanSlotColumn(s),
                    before ? before->slots[std::size_t(s - 1)] : std::string(),
                    after ? after->slots[std::size_t(s - 1)] : std::string());
        }
    }
    return changes;
}

}  // namespace q36
