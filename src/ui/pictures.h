#pragma once
// The program's own pictures and icons, drawn from the SVG files compiled into it.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace q36::ui {

// The picture at a resource path (":/icons/open.svg"), rendered at size (in the screen's pixel
// density); a null pixmap when the path names no picture.
QPixmap SvgPixmap(const QString& path, QSize size);

// An icon of the toolbar set by file name ("open.svg"), drawn from the SVG at any size.
QIcon ToolIcon(const QString& name);

// The program's icon, also used in the notification area.
QIcon ProgramIcon();

}  // namespace q36::ui
