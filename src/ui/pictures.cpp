#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The resource file lives in a static library, so its registration must be pulled in by hand.
static void RegisterPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace q36::ui {

namespace {

void EnsureRegistered() {
    static const bool registered = [] {
        RegisterPictures();
        return true;
    }();
    (void)registered;
}

}  // namespace

QPixmap SvgPixmap(const QString& path, QSize size) {
    EnsureRegistered();
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon ToolIcon(const QString& name) {
    QIcon icon;
    for (int side : {16, 20, 24, 32}) {
        icon.addPixmap(SvgPixmap(QStringLiteral(":/icons/") + name, QSize(side, side)));
    }
    return icon;
}

QIcon ProgramIcon() {
    return ToolIcon(QStringLiteral("q36.svg"));
}

}  // namespace q36::ui
