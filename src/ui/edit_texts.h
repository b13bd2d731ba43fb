#pragma once
// Texts of the Edit menu: its commands (also the names of the steps they make) and the message
// that names what a paste or a fill refused.

#include "text/language.h"

namespace q36::ui::etxt {

inline constexpr TextPair EditMenu{"编辑", "Edit"};
inline constexpr TextPair CopyMenu{"复制", "Copy"};
inline constexpr TextPair PasteMenu{"粘贴", "Paste"};
inline constexpr TextPair FillDownMenu{"向下填充", "Fill down"};
inline constexpr TextPair ClearChannelMenu{"清除信道", "Clear channel"};
inline constexpr TextPair ResetPageMenu{"恢复本页默认值", "Reset page to defaults"};

// The message after a paste or a fill that could not take every value.
inline constexpr TextPair RefusedHead{
    "以下数值未被接受，所在的行保持原样：",
    "These values were refused; their rows were left as they were:"};
inline constexpr TextPair PasteCutOff{
    "粘贴的内容超出了表格，超出的部分已舍去。",
    "The pasted cells reach beyond the grid; the part beyond it was left out."};

}  // namespace q36::ui::etxt
