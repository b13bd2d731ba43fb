#pragma once
// Texts of the workbook exchange: the save failure message and the reasons shown below it.

#include "text/language.h"

namespace q36::exchange::texts {

// Caption and text of the message box of a failed save; the reason follows below the text.
inline constexpr TextPair SaveFailedCaption{"提示", "Msg"};
inline constexpr TextPair SaveFailed{
    "无法调用Mircorsoft   Excel!   \r\n请检查是否安装了Mircorsoft   Excel。",
    "Can not call Mircorsoft Excel!   \r\nPlease check whether you "
    "have Mircorsoft Excel."};

// Reasons a workbook could not be read.
inline constexpr TextPair ReasonNotWorkbook{"不是 .xlsx 或 .xls 格式的工作簿",
                                            "not an .xlsx or .xls workbook"};
inline constexpr TextPair ReasonDamaged{"工作簿已损坏", "the workbook is damaged"};
inline constexpr TextPair ReasonTooLarge{"工作簿超出可读取的大小",
                                         "the workbook is too large to read"};
inline constexpr TextPair ReasonMissingSheet{"缺少工作表", "missing sheet"};
inline constexpr TextPair ReasonMissingColumn{"缺少列", "missing column"};
inline constexpr TextPair ReasonTextTooLong{"单元格文字过长", "a cell text is too long"};
inline constexpr TextPair ReasonErrorValue{"单元格含有错误值", "a cell holds an error value"};

}  // namespace q36::exchange::texts
