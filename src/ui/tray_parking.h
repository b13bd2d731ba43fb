#pragma once
// Sends a window to the notification area instead of minimising it: the window hides and an
// icon appears; a left click on the icon removes it and shows the window again. Where the
// desktop has no notification area the window minimises normally, so it can always come back.

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

class QWidget;

namespace q36::ui {

class TrayParking : public QObject {
    Q_OBJECT
  public:
    // trayAvailable is asked at every minimise; the desktop may gain or lose its tray meanwhile.
    TrayParking(QWidget& window, const QIcon& icon, const QString& tip,
                std::function<bool()> trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable);

    QSystemTrayIcon& Icon() { return icon_; }
    // True while the window waits in the notification area.
    bool Parked() const { return icon_.isVisible(); }

    // Removes the icon and shows the window, not minimised, in front.
    void Restore();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void IconActivated(QSystemTrayIcon::ActivationReason reason);
    void Park();

    QWidget& window_;
    QSystemTrayIcon icon_;
    std::function<bool()> trayAvailable_;
};

}  // namespace q36::ui
