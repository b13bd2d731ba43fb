#include "change_words.h"

#include <set>
#include <utility>

#include "channel_fields.h"
#include "common_fields.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

// A caption without the colon the page puts after it.
std::string WithoutColon(std::string text) {
    for (const std::string_view colon : {"：", ":", " "}) {
        while (text.size() >= colon.size() &&
               text.compare(text.size() - colon.size(), colon.size(), colon) == 0)
            text.resize(text.size() - colon.size());
    }
    return text;
}

}  // namespace

std::string ChangePlace(const FieldChange& change, int language) {
    switch (change.part) {
        case FieldChange::Part::Common:
            return Tr(txt::TxtWhereCommon, language);
        case FieldChange::Part::Channel:
            return Fill(Tr(txt::TxtWhereChannel, language), "{n}", std::to_string(change.number));
        case FieldChange::Part::ScanList:
            return Fill(Tr(txt::TxtWhereScanList, language), "{n}", std::to_string(change.number));
    }
    return {};
}

std::string ChangeColumn(const FieldChange& change, int language) {
    switch (change.part) {
        case FieldChange::Part::Common: {
            const CommonField* field = CommonFieldOf(change.column);
            return field ? WithoutColon(Tr(*field->label, language)) : change.column;
        }
        case FieldChange::Part::Channel: {
            const int k = ChannelColumnIndex(change.column);
            if (k < 0) return change.column;
            const std::string title = ChoiceAt(lists::ColumnTitleTable, k, language);
            // The two value columns share their title; the tone column before each tells them
            // apart.
            if (change.column == "SDATA" || change.column == "REDATA")
                return ChoiceAt(lists::ColumnTitleTable, k - 1, language) + " " + title;
            return title;
        }
        case FieldChange::Part::ScanList: {
            const std::string slot = change.column.size() == 2 && change.column[0] == '0'
                                         ? change.column.substr(1)
                                         : change.column;
            return Fill(Tr(txt::TxtScanSlot, language), "{n}", slot);
        }
    }
    return change.column;
}

std::string ChangeValue(const std::string& text, int language) {
    return text.empty() ? Tr(txt::TxtEmptyValue, language) : text;
}

std::string DescribeChange(const FieldChange& change, const std::string& firstName,
                           const std::string& secondName, int language) {
    std::string text = Tr(txt::TxtFieldChange, language);
    const std::pair<std::string_view, std::string> parts[] = {
        {"{where}", ChangePlace(change, language)},
        {"{column}", ChangeColumn(change, language)},
        {"{first}", firstName},
        {"{second}", secondName},
        {"{before}", ChangeValue(change.before, language)},
        {"{after}", ChangeValue(change.after, language)},
    };
    // Each placeholder is filled once, in order, so that a value holding "{after}" stays as it is.
    for (const auto& [name, value] : parts) {
        const std::size_t at = text.find(name);
        if (at != std::string::npos) text.replace(at, name.size(), value);
    }
    return text;
}

ChangeCounts CountChanges(const std::vector<FieldChange>& changes) {
    ChangeCounts counts;
    std::set<int> channels, lists;
    for (const FieldChange& change : changes) {
        switch (change.part) {
            case FieldChange::Part::Common:
                ++counts.commonValues;
                break;
            case FieldChange::Part::Channel:
                channels.insert(change.number);
                break;
            case FieldChange::Part::ScanList:
                lists.insert(change.number);
                break;
        }
    }
    counts.channels = int(channels.size());
    counts.scanLists = int(lists.size());
    return counts;
}

}  // namespace q36
