#pragma once
// The common-parameter page of the main window: the radio-wide settings in three groups
// (global, scan, factory), each control under the name the rest of the program uses for it.

#include <QWidget>
#include <array>

#include "codec/common_block.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace q36::ui {

class CommonParamPage : public QWidget {
    Q_OBJECT
  public:
    // The page speaks language.
    explicit CommonParamPage(int language, QWidget* parent = nullptr);

    // Sets the group and label texts and refills the lists in the page's language.
    void ApplyCaptions();
    // Puts the values on the controls: list positions, edit texts and check marks.
    void ShowValues(const q36::CommonPage& values);

    QGroupBox* GlobalGroupBox;
    QGroupBox* ScanGroupBox;
    QGroupBox* FactoryGroupBox;
    // suiDBComboBox1..10 at [1]..[10]; [0] is unused so that indices match the names.
    std::array<QComboBox*, 11> suiDBComboBox{};
    // suiDBEdit1..6 at [1]..[6].
    std::array<QLineEdit*, 7> suiDBEdit{};
    QCheckBox* suiDBCheckBox1;
    QCheckBox* suiDBCheckBox2;

  private:
    QLabel* NewLabel(QWidget* parent, const char* name);
    QComboBox* NewComboBox(QWidget* parent, int number);
    QLineEdit* NewEdit(QWidget* parent, int number, int maxLength);
    void BuildGlobalGroup();
    void BuildScanGroup();
    void BuildFactoryGroup();
    void SetLabel(const char* name, const QString& text);

    int language_;
    // Labels by name, so that the caption pass can address them as the design names them.
    QList<QLabel*> labels_;
};

}  // namespace q36::ui
