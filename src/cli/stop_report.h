#pragma once
// What the tool says when a signal stopped a write: which blocks of the file the radio holds.

#include <string>

#include "protocol/transfer.h"

namespace q36::cli {

// "已中断：设备中现有 FILE 的公共参数和信道 1-13（信道 14已发出，设备可能也已保存）；请重新写频。"
// in language.
std::string StoppedWriteText(const WriteProgress& progress, const std::string& file, int language);

}  // namespace q36::cli
