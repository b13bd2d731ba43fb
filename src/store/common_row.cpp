#include "common_row.h"

#include <array>

#include "text/choice_lists.h"

namespace q36 {

namespace {

struct ListBinding {
    const char* column;
    ChoiceList list;
    int CommonPage::*position;
};

struct EditBinding {
    const char* column;
    std::string CommonPage::*text;
};

struct CheckBinding {
    const char* column;
    bool CommonPage::*checked;
};

const std::array<ListBinding, 10> kLists{{
    {"AVIMODE", lists::AniMode, &CommonPage::aniMode},
    {"LOWALARM", lists::Voltage, &CommonPage::lowAlarm},
    {"LOWBAN", lists::Voltage, &CommonPage::lowBan},
    {"POWERPRESS", lists::PowerPress, &CommonPage::powerPress},
    {"KEYAPRESS", lists::KeyAPress, &CommonPage::keyAPress},
    {"KEYBPRESS", lists::KeyBPress, &CommonPage::keyBPress},
    {"SCANPAUSE", lists::ScanPause, &CommonPage::scanPause},
    {"SCANRESTAR", lists::ScanRestart, &CommonPage::scanRestart},
    {"SCANCHANSEL", lists::ScanChanSel, &CommonPage::scanChanSel},
    {"SCANPAUSESEL", lists::ScanPauseSel, &CommonPage::scanPauseSel},
}};

constexpr std::array<EditBinding, 6> kEdits{{
    {"AVISET", &CommonPage::ani},
    {"TOPSET", &CommonPage::tot},
    {"LOSTTIME", &CommonPage::lostTime},
    {"HIGHTRANPOWER", &CommonPage::highPower},
    {"MIDTRANPOWER", &CommonPage::midPower},
    {"LOWTRANPOWER", &CommonPage::lowPower},
}};

constexpr std::array<CheckBinding, 2> kChecks{{
    {"TEMCONTROL", &CommonPage::temControl},
    {"KEYENABLED", &CommonPage::keyEnabled},
}};

}  // namespace

StoreResult ReadCommonRow(const Query& query, CommonPage& page) {
    CommonPage read;
    std::string text;
    for (const ListBinding& binding : kLists) {
        if (StoreResult r = query.ReadText(binding.column, text); !r.ok()) return r;
        // A word of the other language, as a workbook of that language stores it, counts too.
        read.*binding.position = ChoiceIndexOfAny(binding.list, text);
    }
    for (const EditBinding& binding : kEdits) {
        if (StoreResult r = query.ReadText(binding.column, read.*binding.text); !r.ok()) return r;
    }
    for (const CheckBinding& binding : kChecks) {
        if (StoreResult r = query.ReadText(binding.column, text); !r.ok()) return r;
        read.*binding.checked = text == "True";
    }
    page = read;
    return StoreResult::Ok();
}

StoreResult WriteCommonRow(Query& query, const CommonPage& page) {
    for (const ListBinding& binding : kLists) {
        const int position = page.*binding.position;
        if (position < 0 || position >= int(ChoiceCount(binding.list))) continue;
        if (StoreResult r = query.WriteText(binding.column, ChoiceAt(binding.list, position));
            !r.ok()) {
            return r;
        }
    }
    for (const EditBinding& binding : kEdits) {
        if (StoreResult r = query.WriteText(binding.column, page.*binding.text); !r.ok()) return r;
    }
    for (const CheckBinding& binding : kChecks) {
        if (StoreResult r =
                query.WriteText(binding.column, page.*binding.checked ? "True" : "False");
            !r.ok()) {
            return r;
        }
    }
    return StoreResult::Ok();
}

}  // namespace q36
