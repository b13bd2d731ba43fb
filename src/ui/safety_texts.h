#pragma once
// Texts of the window's safe write: the switches and commands of the 设置 menu and what they say.

#include "text/language.h"

namespace q36::ui::wtxt {

inline constexpr TextPair BackupMenu{"写入前备份", "Back up before writing"};
inline constexpr TextPair VerifyMenu{"写入后校验", "Verify after writing"};
inline constexpr TextPair BackupsFolderMenu{"打开备份文件夹", "Open backups folder"};
inline constexpr TextPair TraceMenu{"保存通信记录", "Save line trace"};
inline constexpr TextPair TraceFilter{"通信记录 (*.tsv *.txt)", "Line trace (*.tsv *.txt)"};
inline constexpr TextPair MsgNoTrace{"还没有通信记录：请先读频或写频。",
                                     "There is no line trace yet: read or write first."};
inline constexpr TextPair MsgTraceSaved{"通信记录已保存：{file}", "Line trace saved: {file}"};
inline constexpr TextPair MsgFolderNotOpened{"无法打开文件夹：{file}",
                                             "The folder cannot be opened: {file}"};
// The question after the count of what a write changes against the backup just read.
inline constexpr TextPair MsgConfirmChanges{"（与刚读出的设备备份相比）是否继续写频？",
                                            "(Compared with the backup just read.) Write now?"};

}  // namespace q36::ui::wtxt
