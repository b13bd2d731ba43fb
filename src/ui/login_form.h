#pragma once
// The band selection dialog, the first window of every run: the user picks the radio's
// frequency band, which fixes the band values for the run and resets the store to that band's
// defaults.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace q36::ui {

class TLoginForm : public QDialog {
    Q_OBJECT
  public:
    explicit TLoginForm(QWidget* parent = nullptr);

    // Puts the five band entries into the list, selects the first and takes its band values.
    void FillBandList();
    // OK: takes the chosen band and closes with the result OK.
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
};

}  // namespace q36::ui
