#pragma once
// The main window: menus, toolbar, the common and channel pages, the status bar with the
// progress bar over it, the serial port and the transfer runner it drives from its event loop.
// It is the transfer's effects side: it sends the bytes, shows the messages, asks the questions
// before a transfer starts and moves the progress bar; the data side it passes on to the store
// (or whatever data side is set).

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "codec/configuration.h"
#include "protocol/configuration_data.h"
#include "protocol/run_settings.h"
#include "protocol/transfer.h"
#include "qt_notice_receiver.h"
#include "runner/line_trace.h"
#include "runner/transfer_runner.h"
#include "runner/write_sequence.h"
#include "serial/tcomm.h"
#include "store/connection.h"
#include "store/store_transfer_data.h"

class QAction;
class QComboBox;
class QDialog;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace q36::ui {

class ChannelGrid;
class GridEditCommands;
class CommonPageBinding;
class CommonParamPage;
class RightButtonFilter;
class StatusPanel;
class TAboutForm;
class TCompareForm;
class TParamForm;
class TScanForm;
class TrayParking;
class UndoCommands;
class WorkbookCommands;
class WorkbookFileChooser;

class TMainForm : public QMainWindow, public WriteSequenceFront, public TransferData {
    Q_OBJECT
  public:
    // settings are those start-up chose; they must outlive the window. trayAvailable tells
    // whether the desktop has a notification area (asked at each minimise).
    explicit TMainForm(const RunSettings& settings, std::function<bool()> trayAvailable = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // The windows the main window's commands open; created after it at start-up.
    void SetParamForm(TParamForm* form) { paramForm_ = form; }
    void SetAboutForm(TAboutForm* form) { aboutForm_ = form; }
    // The print choice dialog the Print command shows modally.
    void SetPrintForm(QDialog* form) { printForm_ = form; }
    // Replaces the file dialogs of Save and Open.
    void SetFileChooser(std::unique_ptr<WorkbookFileChooser> chooser);
    // Where the transfer's rows and common values are kept; the rows are shown from it.
    void SetDataSide(TransferData* data) { dataSide_ = data; }
    // The clock the transfer's timers run by; the system's unless a test sets its own.
    void SetClock(const Clock* clock) { clock_.Use(clock); }
    // Opens the window's own connection to the store at path and keeps the rows there; false
    // with the engine's text in error when the store cannot be opened.
    bool ConnectDatabase(const std::string& path, std::string& error);

    // Sets every caption and list of the window in the language of the run.
    void ApplyCaptions();
    // Finds the ports and opens the first; no port or a busy one is reported with a message.
    void OpenFirstPort();
    // Fills the hidden port list; false when no port exists.
    bool ProbePorts();
    // Closes and opens the port named CommName. On failure the port is closed, the status bar
    // says so and message holds the busy message (with the system's reason beside it).
    bool ReopenPort(std::string* message = nullptr);

    // The safe write's switches (both on unless set), as the 设置 menu shows them.
    void SetWriteSafety(WriteSafety safety);
    WriteSafety GetWriteSafety() const { return sequence_.Safety(); }
    // Where backups are kept; the backups folder of the data folder unless a test sets another.
    void SetBackupsFolder(const std::string& folder) { backupsFolder_ = folder; }
    // The backup the last write took (its workbook), empty when none was.
    const std::string& LastBackup() const { return lastBackup_; }
    // The write sequence, for its state after a write.
    const WriteSequence& Sequence() const { return sequence_; }
    // The last transfer's line trace.
    const LineTrace& Trace() const { return trace_; }

    // Reads the radio into memory, the store and the pages left alone, and hands what it holds
    // to done once the read completed; a read that fails shows its message. False when no read
    // started (no port: the message says so).
    bool ReadRadioInto(std::function<void(const Configuration&)> done);

    // Commands of the toolbar and the menus.
    void ReadTButClick();
    void WriteTButClick();
    void ParaTButClick();
    void AboutTButClick();
    void ExitTButClick();
    // Opens the scan list editor (toolbar ScanTBut, menu MMenu).
    void ScanTButClick();
    void SaveTButClick();
    void OpenTButClick();
    void PrintTButClick();
    // Opens the compare window (toolbar CompareTBut, menu CompareMenu).
    void CompareTButClick();
    // The compare window; its RadioRequested() is for whoever reads the radio into memory.
    TCompareForm& CompareForm() { return *compareForm_; }
    // The current data as a configuration: pending edits posted first, then the store's rows.
    // False when either fails, after showing the engine's text.
    bool CurrentConfiguration(Configuration& configuration);
    // Stores next as the current data in one transaction and shows it on the pages: the commands
    // that change many values at once (paste, fill, clear, an import) go through it, each as one
    // edit named stepName. False, after the engine's text is shown, when the store refuses; the
    // store then holds what it held.
    bool ApplyConfiguration(const Configuration& next, const TextPair& stepName);
    // The history undo (UndoMenu, Ctrl+Z) and redo (RedoMenu, Ctrl+Y, Ctrl+Shift+Z) go through.
    UndoCommands& Undo() { return *undo_; }
    // Opens the workbook name through Open's checks and preview, without the file dialog.
    bool OpenWorkbookFile(const QString& name);
    // The workbooks the File menu lists, most recent first.
    QStringList RecentWorkbookList() const;
    // Where the window keeps its changes neither saved nor written when it closes, as the
    // recovery copy of its band; none (nothing kept) unless set.
    void SetRecoveryFolder(const std::string& folder) { recoveryFolder_ = folder; }
    // The recovery copy of the run's band in that folder.
    std::string RecoveryCopyPath() const;
    // Offers to open the recovery copy of the run's band, if there is one: Yes opens it as an
    // Open does, No deletes it.
    void OfferRecoveryCopy();
    // Opens the backups folder in the file manager.
    void BackupsFolderClick();
    // Saves the last transfer's line trace under a name the chooser gives.
    void SaveTraceClick();
    // Open got as far as a chosen file (cleared each time Open starts).
    bool ImportAttempted() const;
    // The store the window keeps its rows in; nullptr before ConnectDatabase succeeded.
    StoreTransferData* StoreSide() { return storeSide_.get(); }
    // The channel grid shows no vertical scroll bar; the commands that reload it say so again.
    void HideGridScrollBar();

    // The serial port's deliveries, and the timer that fires the transfer's timers when due.
    void CommReceiveData(const uint8_t* buffer, uint16_t length);
    void Timer1Timer();
    // The port's threads lost the line (the adapter was pulled out).
    void CommHangup();

    // Shows the rows and common values of the data side on the two pages.
    void RefreshPages();
    // Posts what the pages hold; when the store refuses, shows the engine's text and keeps the
    // edit on the page (nothing is lost), and returns false.
    bool SavePendingEdits();

    // State for the other windows and the tests.
    const RunSettings& Settings() const { return settings_; }
    TComm& Comm() { return comm_; }
    Transfer& TransferState() { return runner_.GetTransfer(); }
    bool PortOpen() const { return runner_.GetTransfer().PortOpen; }
    // The panel's whole text; a long one shows shortened from the left.
    QString StatusPanelText(int panel) const;
    QStringList ColumnPickList(int column) const;
    CommonParamPage& CommonPage() { return *commonPage_; }
    CommonPageBinding& PageBinding() { return *pageBinding_; }
    ChannelGrid& Grid() { return *DBGridEh; }
    // The scan list editor; nullptr until ConnectDatabase succeeded.
    TScanForm* ScanForm() { return scanForm_; }
    TrayParking& Tray() { return *tray_; }

    // The transfer's effects: the line and what the user sees.
    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    void SetProgress(int minimum, int maximum, int position) override;
    void SetProgressVisible(bool visible) override;
    void SetFirmwareStatus(const std::string& text) override;
    void Repaint() override;
    // A Yes/No question with an empty caption, before a transfer starts; true for Yes.
    bool AskYesNo(const std::string& question);
    // The safe write's steps: the backup into the backups folder, the changes asked about.
    bool KeepBackup(const RadioImage& image, const Configuration& configuration,
                    const std::string& firmware, std::string& failure) override;
    bool ConfirmChanges(const std::vector<FieldChange>& changes) override;
    // The transfer's data side, passed on to the data side set.
    StoreResult CommitPendingEdits() override;
    StoreResult LoadChannelRows(ChannelArr& rows) override;
    StoreResult StoreChannel(const ChannelUpdate& update) override;
    StoreResult ReadCommonPage(q36::CommonPage& page) override;
    StoreResult ShowCommonPage(const q36::CommonPage& page) override;
    StoreResult FillScanArr(ScanArr& scans) override;
    StoreResult StoreScanList(int listNo,
                              const std::array<std::string, SCAN_SLOT_COUNT>& slots) override;

  Q_SIGNALS:
    // The window was closed; the program ends.
    void Closed();
    // The user turned a safe-write switch.
    void WriteSafetyChanged(bool backup, bool verify);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildPages();
    void BuildStatusBar();
    void FirstShow();
    void PageChanged(int index);
    void SetStatusPanel(int panel, const QString& text);
    // Unbinds the editors from the store before its queries go.
    void DetachStore();
    // Sets Timer1 to fire when the runner's next timer is due, or stops it.
    void ArmTimer();
    // After each input of a transfer: a transfer that has just ended is written to the
    // programming log.
    void NoteTransferEnd();
    void LogStages(const std::vector<StageRecord>& records);
    // True for a store that succeeded; otherwise shows the engine's text and returns false.
    bool StoreAnswered(const StoreResult& result);
    // Undo, recent workbooks and the recovery copy.
    void BuildEditHistory();
    // What the window shows: the queries' rows with their unposted edits, and the page's values
    // while it holds an edit. False, quietly, when the store cannot be read.
    bool ShownConfiguration(Configuration& configuration);
    // Stores next and shows it, recording no step.
    bool StoreConfiguration(const Configuration& next);
    void ShowRecentWorkbooks();
    void WorkbookUsed(const std::string& path);
    void KeepRecoveryCopy();
    // Marks the history at the end of a read or a write to the radio.
    void NoteTransferForHistory();

    // Menus.
    QMenu* FileMenu;
    QMenu* EditMenu;
    QMenu* OperMenu;
    QMenu* SetMenu;
    QMenu* HelpMune;
    QAction* N1;
    QAction* N2;
    QAction* N3;
    QAction* N4;
    QAction* ExitMenu;
    QAction* ReadMenu;
    QAction* WiteMenu;
    QAction* CompareMenu;
    QAction* UndoMenu;
    QAction* RedoMenu;
    QAction* PMenu;
    QAction* MMenu;
    QAction* BackupMenu;
    QAction* VerifyMenu;
    QAction* BackupsFolderMenu;
    QAction* TraceMenu;
    QAction* HMenu;
    QAction* AMenu;
    // Toolbar.
    QToolBar* ToolBar1;
    QToolButton* OpenTBut;
    QToolButton* SaveTBut;
    QToolButton* PrintTBut;
    QToolButton* WriteTBut;
    QToolButton* ReadTBut;
    QToolButton* CompareTBut;
    QToolButton* ParaTBut;
    QToolButton* ScanTBut;
    QToolButton* AboutTBut;
    QToolButton* ToolButton9;
    // Pages.
    QTabWidget* suiPageControl1;
    CommonParamPage* commonPage_;
    QWidget* suiTabSheet2;
    ChannelGrid* DBGridEh;
    CommonPageBinding* pageBinding_;
    std::array<QStringList, 14> columnPickLists_;
    // Status bar.
    std::array<StatusPanel*, 3> statusPanels_{};
    QProgressBar* ProgressBar1;
    // Non-visual.
    QTimer* Timer1;
    QComboBox* suiComboBox;  // the ports found at start-up
    TrayParking* tray_;
    RightButtonFilter* rightButtons_ = nullptr;
    bool shownOnce_ = false;

    const RunSettings& settings_;
    QtNoticeReceiver receiver_;
    TComm comm_;
    // The system's steady clock, or a test's.
    class WindowClock final : public Clock {
      public:
        void Use(const Clock* clock) { other_ = clock; }
        TimePoint Now() const override { return other_ ? other_->Now() : system_.Now(); }

      private:
        SystemClock system_;
        const Clock* other_ = nullptr;
    } clock_;
    TransferRunner runner_;
    WriteSequence sequence_;
    LineTrace trace_;
    // Which transfer the line's deliveries and the timers go to: the read's runner, the write's
    // sequence or the read into memory; and whether it has not yet been logged as ended.
    enum class Driving { Read, Write, MemoryRead };
    Driving driving_ = Driving::Read;
    bool transferUnlogged_ = false;
    // The read into memory: its own runner on the window's line, its configuration, and what
    // is done with it once the read completed.
    class MemoryReadEffects;
    std::unique_ptr<ConfigurationData> memoryData_;
    std::unique_ptr<MemoryReadEffects> memoryEffects_;
    std::unique_ptr<TransferRunner> memoryRunner_;
    std::function<void(const Configuration&)> memoryDone_;
    bool memoryReadComplete_ = false;
    // The runner of the transfer being driven, for a read (into the store or into memory).
    TransferRunner& ReadRunner();
    std::string backupsFolder_;
    std::string lastBackup_;
    std::string lastReadResult_;  // the log word of the last read's end

    TParamForm* paramForm_ = nullptr;
    TAboutForm* aboutForm_ = nullptr;
    QDialog* printForm_ = nullptr;
    TCompareForm* compareForm_ = nullptr;
    std::unique_ptr<WorkbookCommands> workbook_;
    GridEditCommands* editCommands_ = nullptr;  // the Edit menu's
    TransferData* dataSide_ = nullptr;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<StoreTransferData> storeSide_;
    // The scan list editor works through a connection of its own.
    std::unique_ptr<Connection> scanConnection_;
    TScanForm* scanForm_ = nullptr;
    std::unique_ptr<UndoCommands> undo_;
    QList<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    std::string recoveryFolder_;
};

// The read into memory's effects: the window's line, progress and firmware panel; its messages
// are the window's but for the completion, which hands the configuration on instead.
class TMainForm::MemoryReadEffects final : public TransferEffects {
  public:
    explicit MemoryReadEffects(TMainForm& window) : window_(window) {}
    bool SendData(const uint8_t* data, uint16_t length) override {
        return window_.SendData(data, length);
    }
    void ShowMessage(TransferEvent event, const std::string& text) override {
        if (event == TransferEvent::ReadDone) {
            window_.lastReadResult_ = ResultWord(event);
            window_.memoryReadComplete_ = true;
            return;
        }
        window_.ShowMessage(event, text);
    }
    void SetProgress(int minimum, int maximum, int position) override {
        window_.SetProgress(minimum, maximum, position);
    }
    void SetProgressVisible(bool visible) override { window_.SetProgressVisible(visible); }
    void SetFirmwareStatus(const std::string& text) override { window_.SetFirmwareStatus(text); }

  private:
    TMainForm& window_;
};

}  // namespace q36::ui
