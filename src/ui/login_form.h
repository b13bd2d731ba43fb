#pragma once
// The band selection dialog, the first window of every run: the user picks the radio's
// frequency band, which fixes the band values for the run and resets the store to that band's
// defaults.

#include <QDialog>
#include <string>

#include "protocol/run_settings.h"
#include "store/connection.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace q36::ui {

class TLoginForm : public QDialog {
    Q_OBJECT
  public:
    // Opens the dialog's own connection to the store at databasePath. The band chosen goes into
    // settings, which must outlive the dialog.
    TLoginForm(RunSettings& settings, const std::string& databasePath, QWidget* parent = nullptr);

    // Why the store could not be opened (the engine's text), empty when it is open.
    const std::string& ConnectionError() const { return connectionError_; }

    // Puts the five band entries into the list, selects the first and takes its band values.
    void FillBandList();
    // OK: takes the chosen band, resets the store to its defaults and closes with the result OK.
    void Button1Click();
    // Cancel.
    void Button2Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ApplyCaptions();

    QGroupBox* GroupBox1;
    QComboBox* suiComboBox;
    QPushButton* Button1;
    QPushButton* Button2;
    RunSettings& settings_;
    Connection connection_;
    std::string connectionError_;
};

}  // namespace q36::ui
