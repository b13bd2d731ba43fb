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
inline constexpr TextPair ReasonBadValue{"无效的值", "invalid value"};
inline constexpr TextPair ReasonNoRecordMatch{"没有一条记录的信道号与信道相符",
                                              "no record names a channel"};
// Where a refused value is: "信道参数, 行 8, 发射功率: 超高"; an empty cell shows as "（空）".
inline constexpr TextPair WordRow{"行", "row"};
inline constexpr TextPair EmptyCell{"（空）", "(empty)"};

// Below the success message of an import: records whose key names no channel or list.
inline constexpr TextPair SkippedRecords{"未读入的记录（编号不符）",
                                         "records not read (no such number)"};

// The line the command-line tool prints on the language it found a workbook in.
inline constexpr TextPair WorkbookInChinese{"工作簿的语言：中文", "Workbook language: Chinese"};
inline constexpr TextPair WorkbookInEnglish{"工作簿的语言：英文", "Workbook language: English"};

// Why a sheet could not be read: a cell holds an error value instead of a value.
inline constexpr TextPair ReasonErrorValue{"单元格含有错误值", "a cell holds an error value"};

}  // namespace q36::exchange::texts
