#pragma once
// The port and password dialog: the serial port to use, chosen from the ports found, the radio
// password every handshake sends (shown masked, not editable) and the band of this run.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "protocol/run_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace q36::ui {

class TParamForm : public QDialog {
    Q_OBJECT
  public:
    // Lists the ports to offer, first one preselected.
    using PortLister = std::function<std::vector<std::string>()>;

    // Shows the band of settings and speaks their language.
    TParamForm(const RunSettings& settings, PortLister listPorts, QWidget* parent = nullptr);

    // Empties the port list and fills it from a fresh probe, first entry selected.
    void ListDialogPorts();
    // The chosen port, and presetting it (also a name the probe did not list).
    QString PortName() const;
    void SetPortName(const QString& port);
    // The radio password, "KZP" unless changed.
    std::string Password() const;

    // The port the main window holds open, empty when none: checking it says so and leaves the
    // port alone instead of opening it a second time.
    void SetHeldPort(const QString& port) { heldPort_ = port; }
    // Runs the connection check on the chosen port and shows its lines in a message box.
    void CheckConnectionClick();

    // Confirm: refused with a message while the password is empty.
    void Button1Click();
    void Button2Click();

  private:
    void ApplyCaptions();

    PortLister listPorts_;
    RunSettings settings_;
    int language_;
    QString heldPort_;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QComboBox* suiComboBox;
    QLineEdit* PWEdit;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* CheckButton;
};

}  // namespace q36::ui
