#pragma once
// Texts of the compare window and of the preview of what a command will change.

#include "text/language.h"

namespace q36::ui::ctxt {

// The window, its toolbar button and its item in the operations menu.
inline constexpr TextPair CompareCaption{"对比", "Compare"};
inline constexpr TextPair CompareMenu{"对比(&C)...", "Compare(&C)..."};

// What the current data is set against.
inline constexpr TextPair AgainstWorkbook{"工作簿...", "Workbook..."};
inline constexpr TextPair AgainstBackup{"备份", "Backup"};
inline constexpr TextPair AgainstRadio{"设备（读频）", "Radio (read)"};
inline constexpr TextPair CompareWith{"对比对象：", "Compare with:"};
inline constexpr TextPair NoBackups{"（备份文件夹中没有备份）",
                                    "(no backups in the backups folder)"};
inline constexpr TextPair ComparingWith{"当前数据 与 {other}", "The current data and {other}"};
inline constexpr TextPair NothingChosen{"请选择要对比的数据。", "Choose what to compare with."};
inline constexpr TextPair RadioName{"设备", "the radio"};

// The count above the list.
inline constexpr TextPair DifferenceCount{
    "共 {n} 处不同：{channels} 个信道、{common} 项公共参数、{lists} 个扫描列表。",
    "{n} differences: {channels} channels, {common} common values, {lists} scan lists."};
inline constexpr TextPair NoDifference{"没有不同之处。", "No differences."};

// The list's column titles; the last two are the two sides.
inline constexpr TextPair PlaceTitle{"位置", "Place"};
inline constexpr TextPair ColumnTitle{"参数", "Column"};
inline constexpr TextPair HereTitle{"当前数据", "Current data"};
inline constexpr TextPair ThereTitle{"对比对象", "Other side"};
inline constexpr TextPair ListTab{"差异列表", "Differences"};
inline constexpr TextPair GridTab{"对比对象的信道（不同处已标出）",
                                  "Other side's channels (changes marked)"};
inline constexpr TextPair CloseButton{"关闭", "Close"};

// The preview before a command stores or sends anything.
inline constexpr TextPair PreviewCaption{"改变预览", "Preview of changes"};
inline constexpr TextPair PreviewDetails{"详细信息", "Details"};
// The two sides of each line of the details: now, and after the command.
inline constexpr TextPair PreviewNow{"现在", "now"};
inline constexpr TextPair PreviewAfter{"之后", "after"};
// Open's question below the numbers.
inline constexpr TextPair OpenQuestion{"是否读入该文件？", "Read this file into the current data?"};

}  // namespace q36::ui::ctxt
