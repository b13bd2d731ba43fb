#pragma once
// The compare window: the current data (the store, pending edits included) set against a
// workbook, a backup or the radio, the differences listed in plain words with their count, and
// the other side's channels with the changed cells marked.

#include <QDialog>
#include <functional>
#include <vector>

#include "codec/configuration.h"
#include "protocol/run_settings.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace q36::ui {

class WorkbookFileChooser;

class TCompareForm : public QDialog {
    Q_OBJECT
  public:
    // current gives the current data (false when it cannot be had; it has said why), chooser
    // the file dialogs that ask for a workbook. settings must outlive the window.
    TCompareForm(const RunSettings& settings, std::function<bool(Configuration&)> current,
                 std::function<WorkbookFileChooser&()> chooser, QWidget* parent = nullptr);

    // Sets the current data against other, named otherName in the window, and shows the
    // differences; every source ends here.
    void ShowAgainst(const Configuration& other, const QString& otherName);
    // Asks for a workbook and compares with it; a cancelled dialog changes nothing, a workbook
    // that cannot be read is said in a message.
    void CompareWithWorkbook();
    // Compares with the backup chosen in the list.
    void CompareWithBackup();
    // Lists the backups folder's workbooks, newest first.
    void RefreshBackups();

    // The differences shown, current data first.
    const std::vector<FieldChange>& Changes() const { return changes_; }

  Q_SIGNALS:
    // The radio button: whoever runs transfers reads the radio and calls ShowAgainst.
    void RadioRequested();

  private:
    bool ReadWorkbook(const QString& path, Configuration& other);
    void FillList();
    void FillGrid(const Configuration& other);

    const RunSettings& settings_;
    std::function<bool(Configuration&)> current_;
    std::function<WorkbookFileChooser&()> chooser_;
    std::vector<FieldChange> changes_;

    QPushButton* workbookButton_;
    QPushButton* backupButton_;
    QComboBox* backupList_;
    QPushButton* radioButton_;
    QLabel* againstLabel_;
    QLabel* countLabel_;
    QTableWidget* changeTable_;
    QLabel* gridLabel_;
    QTableWidget* channelGrid_;
};

}  // namespace q36::ui
