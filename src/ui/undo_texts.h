#pragma once
// Texts of undo and redo, the recent workbooks of the File menu and the recovery copy.

#include "text/language.h"

namespace q36::ui::utxt {

// The two actions when there is nothing to take back or do again.
inline constexpr TextPair UndoMenu{"撤销", "Undo"};
inline constexpr TextPair RedoMenu{"重做", "Redo"};
// And with the step they would take back or do again.
inline constexpr TextPair UndoStepMenu{"撤销：{step}", "Undo: {step}"};
inline constexpr TextPair RedoStepMenu{"重做：{step}", "Redo: {step}"};
// A step's name with its detail (the field, the file).
inline constexpr TextPair StepDetail{"{name}（{detail}）", "{name} ({detail})"};
// After the name of a step made before the last write: undoing it leaves the radio as it is.
inline constexpr TextPair BeforeWrite{"［写入前，设备不变］",
                                      " [before the last write; the radio keeps it]"};

// The steps the window records by itself.
inline constexpr TextPair EditName{"修改", "Edit"};
inline constexpr TextPair ReadName{"从设备读取", "Read from the radio"};
inline constexpr TextPair OpenName{"打开", "Open"};
// The detail of an edit that changed fields in more than one place.
inline constexpr TextPair MorePlaces{"{first} 等", "{first} and more"};

// The recovery copy: the question at start, and what is said when it cannot be kept.
inline constexpr TextPair RecoveryQuestion{
    "上次退出时有既未保存也未写入设备的修改，已留作恢复副本。是否打开？",
    "The last run ended with changes that were neither saved nor written to the radio; they "
    "were kept as a recovery copy. Open it?"};
inline constexpr TextPair RecoveryNotKept{"未能保留恢复副本：", "The recovery copy was not kept: "};

}  // namespace q36::ui::utxt
