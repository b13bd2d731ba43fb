#pragma once
// The scan list editor: the five scan lists of SCANTABLE in a grid, each slot chosen from the
// channels that are enabled and marked for scanning. It works through a connection of its own;
// its data set is also where a read stores the radio's lists and what a write sends.

#include <QDialog>
#include <functional>

#include "codec/scan_block.h"
#include "store/query.h"

class QPushButton;
class QTableView;

namespace q36::ui {

class GridCellDelegate;
class ScanGridModel;

class TScanForm : public QDialog {
    Q_OBJECT
  public:
    // scanQuery is the data set over SCANTABLE; the channel list is read through connection.
    // Both must outlive the dialog. The dialog speaks language and knows the marks of its words.
    TScanForm(Query& scanQuery, Connection& connection, int language, QWidget* parent = nullptr);
    ~TScanForm() override;

    // Run first by RefreshScanEditor: posts a pending edit of the channel grid.
    void SetChannelCommit(std::function<void()> commit) { channelCommit_ = std::move(commit); }

    // Rebuilds the slot pick lists and clears slots naming channels not marked for scanning.
    void RefreshScanEditor();
    // Confirm: posts, collects the five lists into Scans() and closes with OK.
    void Button1Click();
    // Cancel: closes; nothing posted is undone, a pending edit stays pending.
    void Button2Click();
    // Stores what an open slot editor holds.
    void FlushEditor();

    const ScanArr& Scans() const { return scanArr_; }
    QStringList SlotPickList() const;
    ScanGridModel& Model() { return *model_; }

    QTableView* DBGridEh;
    QPushButton* Button1;
    QPushButton* Button2;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int language_;
    Query& scanQuery_;
    Query qryChannel_;
    ScanGridModel* model_;
    GridCellDelegate* delegate_;
    ScanArr scanArr_;
    std::function<void()> channelCommit_;
};

}  // namespace q36::ui
