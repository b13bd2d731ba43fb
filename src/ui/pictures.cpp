#include "pictures.h"

#include <QGuiApplication>
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
    // Drawn at the screen's own pixel density, so that a scaled screen shows it sharp.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon ToolIcon(const QString& name) {
    EnsureRegistered();
    // Qt's SVG icon engine draws the picture afresh at every size and pixel density.
    return QIcon(QStringLiteral(":/icons/") + name);
}

QIcon ProgramIcon() {
    return ToolIcon(QStringLiteral("q36.svg"));
}

}  // namespace q36::ui
