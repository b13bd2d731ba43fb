#include "common_fields.h"

#include "text/choice_lists.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

using Kind = CommonField::Kind;

constexpr CommonField List(std::string_view column, const TextPair& label, ChoiceList list,
                           int CommonPage::*position) {
    return {column, &label, Kind::List, list, position, nullptr, nullptr};
}
constexpr CommonField Edit(std::string_view column, const TextPair& label,
                           std::string CommonPage::*text) {
    return {column, &label, Kind::Edit, {}, nullptr, text, nullptr};
}
constexpr CommonField Check(std::string_view column, const TextPair& label,
                            bool CommonPage::*checked) {
    return {column, &label, Kind::Check, {}, nullptr, nullptr, checked};
}

}  // namespace

const std::array<CommonField, 18> CommonFields{{
    List("AVIMODE", txt::Label2, lists::AniMode, &CommonPage::aniMode),
    List("LOWALARM", txt::Label5, lists::Voltage, &CommonPage::lowAlarm),
    List("LOWBAN", txt::Label6, lists::Voltage, &CommonPage::lowBan),
    List("POWERPRESS", txt::Label7, lists::PowerPress, &CommonPage::powerPress),
    List("KEYAPRESS", txt::Label8, lists::KeyAPress, &CommonPage::keyAPress),
    List("KEYBPRESS", txt::Label9, lists::KeyBPress, &CommonPage::keyBPress),
    List("SCANPAUSE", txt::Label13, lists::ScanPause, &CommonPage::scanPause),
    List("SCANRESTAR", txt::Label14, lists::ScanRestart, &CommonPage::scanRestart),
    List("SCANCHANSEL", txt::Label16, lists::ScanChanSel, &CommonPage::scanChanSel),
    List("SCANPAUSESEL", txt::Label17, lists::ScanPauseSel, &CommonPage::scanPauseSel),
    Edit("AVISET", txt::LabelANI, &CommonPage::ani),
    Edit("TOPSET", txt::Label3, &CommonPage::tot),
    Edit("LOSTTIME", txt::Label15, &CommonPage::lostTime),
    Edit("HIGHTRANPOWER", txt::Label18, &CommonPage::highPower),
    Edit("MIDTRANPOWER", txt::Label19, &CommonPage::midPower),
    Edit("LOWTRANPOWER", txt::Label20, &CommonPage::lowPower),
    Check("TEMCONTROL", txt::Label10, &CommonPage::temControl),
    Check("KEYENABLED", txt::Label11, &CommonPage::keyEnabled),
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
