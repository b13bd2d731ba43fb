#pragma once
// What Save and Open end in, as values that the desktop program, the command-line tool and the
// tests all show alike: a result and the messages to show, in order, each with its reason.

#include <string>
#include <vector>

#include "text/language.h"

namespace q36::exchange {

enum class ExchangeResult {
    Saved,               // "文件已经成功保存！"
    SaveCancelled,       // no file name was chosen: nothing is shown
    SaveDeclined,        // "No" to the overwrite question: nothing is shown
    SaveFailed,          // the save failure message, the reason below it
    ReadOk,              // "文件读取成功！"
    ReadCancelled,       // no file name was chosen: nothing is shown
    ReadFailed,          // "文件读取失败！", the reason below it
    FrequencyNotNumber,  // "频率必须输入数字！", then "文件读取失败！"
    FrequencyOutOfBand,  // "频率错误！", then "文件读取失败！"
    ToneValueRefused,  // "亚音数值不在亚音表中" (or "亚音数值为空"), then "文件读取失败！"
};

// One message box.
struct ExchangeMessage {
    const TextPair* text = nullptr;
    const TextPair* caption = nullptr;  // nullptr: no caption of its own
    bool information = false;           // shown with the information icon
    std::string detail;                 // the reason, shown below the text; may be empty

    // The text in language with the detail on a line of its own below it.
    std::string FullText(int language) const;
};

struct ExchangeOutcome {
    ExchangeResult result = ExchangeResult::ReadFailed;
    std::vector<ExchangeMessage> messages;  // in the order they are shown
    int workbookLanguage = -1;  // the language Open found the workbook's names in; -1 for none

    bool Succeeded() const {
        return result == ExchangeResult::Saved || result == ExchangeResult::ReadOk;
    }
};

}  // namespace q36::exchange
