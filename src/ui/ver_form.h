#pragma once
// The version selection dialog, second at start-up: the user says whether the radio carries the
// model marking beside its antenna, which tells the variant with scan lists from the one
// without.

#include <QDialog>

#include "protocol/run_settings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace q36::ui {

class TVerForm : public QDialog {
    Q_OBJECT
  public:
    // The variant chosen goes into settings, which must outlive the dialog.
    explicit TVerForm(RunSettings& settings, QWidget* parent = nullptr);

    // Puts the two variants into the list and selects the first, the one with scan lists.
    void FillVersionList();
    // Follows the list: HasScanList is true for the first entry only.
    void suiComboBoxChange(int index);
    void Button1Click();
    void Button2Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ApplyCaptions();

    QLabel* Image1;
    QGroupBox* GroupBox1;
    QComboBox* suiComboBox;
    QPushButton* Button1;
    QPushButton* Button2;
    RunSettings& settings_;
};

}  // namespace q36::ui
