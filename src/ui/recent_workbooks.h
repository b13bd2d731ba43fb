#pragma once
// The workbooks last opened or saved, most recent first, kept from one run to the next in the
// program's settings ($XDG_CONFIG_HOME/q36cps/q36cps.conf).

#include <QStringList>

namespace q36::ui {

inline constexpr int RecentWorkbookCount = 8;

// The list as kept, without the files that no longer exist.
QStringList RecentWorkbooks();
// Puts path first (once), keeps at most RecentWorkbookCount, and returns the new list.
QStringList NoteRecentWorkbook(const QString& path);

}  // namespace q36::ui
