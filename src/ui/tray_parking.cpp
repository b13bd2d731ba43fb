#include "tray_parking.h"

#include <QEvent>
#include <QWidget>

namespace q36::ui {

TrayParking::TrayParking(QWidget& window, const QIcon& icon, const QString& tip,
                         std::function<bool()> trayAvailable)
    : QObject(&window), window_(window), icon_(icon), trayAvailable_(std::move(trayAvailable)) {
    icon_.setToolTip(tip);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayParking::IconActivated);
    window_.installEventFilter(this);
}

bool TrayParking::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        window_.isMinimized() && window_.isVisible() && trayAvailable_ && trayAvailable_()) {
        Park();
    }
    return QObject::eventFilter(watched, event);
}

void TrayParking::Park() {
    icon_.show();
    window_.hide();
}

void TrayParking::Restore() {
    icon_.hide();
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void TrayParking::IconActivated(QSystemTrayIcon::ActivationReason reason) {
    // Only a left click brings the window back; other mouse activity on the icon does nothing.
    if (reason == QSystemTrayIcon::Trigger && Parked()) Restore();
}

}  // namespace q36::ui
