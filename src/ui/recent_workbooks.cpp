#include "recent_workbooks.h"

#include <QFileInfo>
#include <QSettings>

namespace q36::ui {

namespace {

const QString Key = QStringLiteral("recent/workbooks");

QSettings Stored() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("q36cps"),
                     QStringLiteral("q36cps"));
}

QStringList Existing(const QStringList& paths) {
    QStringList kept;
    for (const QString& path : paths) {
        if (!kept.contains(path) && QFileInfo(path).isFile()) kept << path;
        if (kept.size() == RecentWorkbookCount) break;
    }
    return kept;
}

}  // namespace

QStringList RecentWorkbooks() {
    return Existing(Stored().value(Key).toStringList());
}

QStringList NoteRecentWorkbook(const QString& path) {
    QSettings stored = Stored();
    QStringList paths = stored.value(Key).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    paths = Existing(paths);
    stored.setValue(Key, paths);
    return paths;
}

}  // namespace q36::ui
