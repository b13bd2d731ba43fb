#include "common_fields.h"

#include "text/choice_lists.h"

namespace q36 {

namespace {

using Kind = CommonField::Kind;

constexpr CommonField List(std::string_view column, ChoiceList list, int CommonPage::*position) {
    return {column, Kind::List, list, position, nullptr, nullptr};
}
constexpr CommonField Edit(std::string_view column, std::string CommonPage::*text) {
    return {column, Kind::Edit, {}, nullptr, text, nullptr};
}
constexpr CommonField Check(std::string_view column, bool CommonPage::*checked) {
    return {column, Kind::Check, {}, nullptr, nullptr, checked};
}

}  // namespace

const std::array<CommonField, 18> CommonFields{{
    List("AVIMODE", lists::AniMode, &CommonPage::aniMode),
    List("LOWALARM", lists::Voltage, &CommonPage::lowAlarm),
    List("LOWBAN", lists::Voltage, &CommonPage::lowBan),
    List("POWERPRESS", lists::PowerPress, &CommonPage::powerPress),
    List("KEYAPRESS", lists::KeyAPress, &CommonPage::keyAPress),
    List("KEYBPRESS", lists::KeyBPress, &CommonPage::keyBPress),
    List("SCANPAUSE", lists::ScanPause, &CommonPage::scanPause),
    List("SCANRESTAR", lists::ScanRestart, &CommonPage::scanRestart),
    List("SCANCHANSEL", lists::ScanChanSel, &CommonPage::scanChanSel),
    List("SCANPAUSESEL", lists::ScanPauseSel, &CommonPage::scanPauseSel),
    Edit("AVISET", &CommonPage::ani),
    Edit("TOPSET", &CommonPage::tot),
    Edit("LOSTTIME", &CommonPage::lostTime),
    Edit("HIGHTRANPOWER", &CommonPage::highPower),
    Edit("MIDTRANPOWER", &CommonPage::midPower),
    Edit("LOWTRANPOWER", &CommonPage::lowPower),
    Check("TEMCONTROL", &CommonPage::temControl),
    Check("KEYENABLED", &CommonPage::keyEnabled),
}};

const CommonField* CommonFieldOf(std::string_view column) {
    for (const CommonField& field : CommonFields) {
        if (field.column == column) return &field;
    }
    return nullptr;
}

std::string CommonFieldText(const CommonPage& page, const CommonField& field, int language) {
    switch (field.kind) {
        case Kind::List: {
            const int k = page.*field.position;
            if (k < 0 || k >= int(ChoiceCount(field.list))) return {};
            return std::string(field.list[std::size_t(2 * k + (language == 1 ? 1 : 0))]);
        }
        case Kind::Edit:
            return page.*field.text;
        case Kind::Check:
            return page.*field.checked ? "True" : "False";
    }
    return {};
}

void SetCommonFieldText(CommonPage& page, const CommonField& field, std::string_view text) {
    switch (field.kind) {
        case Kind::List:
            // Either language: which one is tried first does not change the position found.
            page.*field.position = ChoiceIndexOfAny(field.list, text, LANGUAGE_CHINESE);
            return;
        case Kind::Edit:
            page.*field.text = std::string(text);
            return;
        case Kind::Check:
            page.*field.checked = text == "True";
            return;
    }
}

}  // namespace q36
