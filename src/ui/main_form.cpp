#include "main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "about_form.h"
#include "channel_grid.h"
#include "common_page.h"
#include "common_page_binding.h"
#include "compare_form.h"
#include "compare_texts.h"
#include "exchange/data_folder.h"
#include "grid_edit_commands.h"
#include "param_form.h"
#include "pictures.h"
#include "right_button_filter.h"
#include "scan_form.h"
#include "scan_grid_model.h"
#include "serial/comms_error.h"
#include "serial/port_probe.h"
#include "serial/radio_link_settings.h"
#include "status_panel.h"
#include "store/configuration_store.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "tool_bar_button.h"
#include "tray_parking.h"
#include "ui_text.h"
#include "undo_commands.h"
#include "undo_texts.h"
#include "window_placement.h"
#include "window_texts.h"
#include "workbook_commands.h"
#include "workbook_file_chooser.h"

namespace q36::ui {

namespace {

constexpr int ChannelPage = 1;
constexpr int CommonPageIndex = 0;

}  // namespace

TMainForm::TMainForm(const RunSettings& settings, std::function<bool()> trayAvailable,
                     QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      settings_(settings),
      comm_(receiver_),
      runner_(*this, *this, clock_, settings_),
      sequence_(*this, *this, clock_, settings_, WriteSafety{}),
      trace_(clock_),
      backupsFolder_(exchange::BackupsFolder()) {
    setObjectName(QStringLiteral("TMainForm"));
    receiver_.SetComm(&comm_);
    // Binary frames: without these settings the line would swallow XON/XOFF bytes of a block.
    ApplyRadioLinkSettings(comm_);
    comm_.OnReceiveData = [this](TComm&, const uint8_t* buffer, uint16_t length) {
        CommReceiveData(buffer, length);
    };
    comm_.OnRequestHangup = [this](TComm&) { CommHangup(); };
    runner_.SetTrace(&trace_);
    sequence_.SetTrace(&trace_);

    BuildMenus();
    BuildToolBar();
    BuildPages();
    BuildStatusBar();
    workbook_ = std::make_unique<WorkbookCommands>(*this);
    BuildEditHistory();
    compareForm_ = new TCompareForm(
        settings_,
        [this](Configuration& configuration) { return CurrentConfiguration(configuration); },
        [this]() -> WorkbookFileChooser& { return workbook_->Chooser(); }, this);
    // Against the radio: read into memory on the window's line, then shown.
    connect(compareForm_, &TCompareForm::RadioRequested, this, [this] {
        ReadRadioInto([this](const Configuration& radio) {
            compareForm_->ShowAgainst(radio, QTr(ctxt::RadioName, settings_.LanguageIndex));
        });
    });
    // Runs exactly while one of the transfer's timers does, set to fire when the first is due
    // (the response timer's 2000 ms until a transfer sets it).
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(Transfer::ResponseTimeoutMs);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    suiComboBox = new QComboBox(this);
    suiComboBox->setObjectName(QStringLiteral("suiComboBox"));
    suiComboBox->hide();
    setWindowIcon(ProgramIcon());
    tray_ =
        trayAvailable
            ? new TrayParking(*this, ProgramIcon(), QTr(wtxt::TrayTip, settings_.LanguageIndex),
                              trayAvailable)
            : new TrayParking(*this, ProgramIcon(), QTr(wtxt::TrayTip, settings_.LanguageIndex));

    ApplyCaptions();
    TransferState().PortOpen = false;
    // The client area the window was designed for, below its menu bar.
    setFixedSize(771, 674 + menuBar()->sizeHint().height());
    SetStatusPanel(1, QTr(txt::TxtFirmware, settings_.LanguageIndex) +
                          QTr(wtxt::NoFirmware, settings_.LanguageIndex));
    SetProgress(0, TransferState().ProgressTotal, 0);
    CentreOnScreen(*this);
}

TMainForm::~TMainForm() {
    Timer1->stop();
    ClosePortDrained(comm_);  // the last acknowledgement goes out whole
    DetachStore();
}

void TMainForm::DetachStore() {
    DBGridEh->Model().SetQuery(nullptr);
    delete scanForm_;
    scanForm_ = nullptr;
}

bool TMainForm::ConnectDatabase(const std::string& path, std::string& error) {
    dataSide_ = nullptr;
    DetachStore();
    storeSide_.reset();
    connection_ = std::make_unique<Connection>();
    scanConnection_ = std::make_unique<Connection>();
    for (const auto* opening : {&connection_, &scanConnection_}) {
        if (const StoreResult opened = (*opening)->Open(path); !opened.ok()) {
            error = opened.detail;
            connection_.reset();
            scanConnection_.reset();
            return false;
        }
    }
    storeSide_ = std::make_unique<StoreTransferData>(*connection_, *scanConnection_,
                                                     settings_.LanguageIndex);
    dataSide_ = storeSide_.get();
    DBGridEh->Model().SetQuery(&storeSide_->ChannelQuery());
    scanForm_ =
        new TScanForm(storeSide_->ScanQuery(), *scanConnection_, settings_.LanguageIndex, this);
    scanForm_->SetChannelCommit([this] { SavePendingEdits(); });
    connect(&scanForm_->Model(), &QAbstractItemModel::dataChanged, undo_.get(),
            &UndoCommands::ScheduleSettle);
    return true;
}

void TMainForm::BuildMenus() {
    FileMenu = menuBar()->addMenu(QString());
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    N1 = FileMenu->addAction(QString());
    N2 = FileMenu->addAction(QString());
    N3 = FileMenu->addAction(QString());
    N4 = FileMenu->addSeparator();
    ExitMenu = FileMenu->addAction(QString());
    EditMenu = menuBar()->addMenu(QString());
    editCommands_ = new GridEditCommands(*this, *EditMenu);
    OperMenu = menuBar()->addMenu(QString());
    OperMenu->setObjectName(QStringLiteral("OperMenu"));
    ReadMenu = OperMenu->addAction(QString());
    WiteMenu = OperMenu->addAction(QString());
    CompareMenu = OperMenu->addAction(QString());
    OperMenu->addSeparator();
    UndoMenu = OperMenu->addAction(QString());
    UndoMenu->setShortcut(QKeySequence::Undo);
    RedoMenu = OperMenu->addAction(QString());
    RedoMenu->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The Edit menu starts with them too, where a desktop user looks first.
    QAction* firstEdit = EditMenu->actions().value(0);
    EditMenu->insertActions(firstEdit, {UndoMenu, RedoMenu});
    EditMenu->insertSeparator(firstEdit);
    SetMenu = menuBar()->addMenu(QString());
    SetMenu->setObjectName(QStringLiteral("SetMenu"));
    PMenu = SetMenu->addAction(QString());
    MMenu = SetMenu->addAction(QString());
    SetMenu->addSeparator();
    BackupMenu = SetMenu->addAction(QString());
    VerifyMenu = SetMenu->addAction(QString());
    BackupsFolderMenu = SetMenu->addAction(QString());
    TraceMenu = SetMenu->addAction(QString());
    for (QAction* toggle : {BackupMenu, VerifyMenu}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
        connect(toggle, &QAction::toggled, this, [this] {
            sequence_.SetSafety({BackupMenu->isChecked(), VerifyMenu->isChecked()});
            Q_EMIT WriteSafetyChanged(BackupMenu->isChecked(), VerifyMenu->isChecked());
        });
    }
    HelpMune = menuBar()->addMenu(QString());
    HelpMune->setObjectName(QStringLiteral("HelpMune"));
    HMenu = HelpMune->addAction(QString());
    AMenu = HelpMune->addAction(QString());
    const std::pair<QAction*, const char*> names[] = {{N1, "N1"},
                                                      {N2, "N2"},
                                                      {N3, "N3"},
                                                      {N4, "N4"},
                                                      {ExitMenu, "ExitMenu"},
                                                      {ReadMenu, "ReadMenu"},
                                                      {WiteMenu, "WiteMenu"},
                                                      {CompareMenu, "CompareMenu"},
                                                      {UndoMenu, "UndoMenu"},
                                                      {RedoMenu, "RedoMenu"},
                                                      {PMenu, "PMenu"},
                                                      {MMenu, "MMenu"},
                                                      {BackupMenu, "BackupMenu"},
                                                      {VerifyMenu, "VerifyMenu"},
                                                      {BackupsFolderMenu, "BackupsFolderMenu"},
                                                      {TraceMenu, "TraceMenu"},
                                                      {HMenu, "HMenu"},
                                                      {AMenu, "AMenu"}};
    for (const auto& [action, name] : names) action->setObjectName(QString::fromLatin1(name));
    // There is no help file to show.
    HMenu->setEnabled(false);

    connect(N1, &QAction::triggered, this, &TMainForm::OpenTButClick);
    connect(N2, &QAction::triggered, this, &TMainForm::SaveTButClick);
    connect(N3, &QAction::triggered, this, &TMainForm::PrintTButClick);
    connect(ReadMenu, &QAction::triggered, this, &TMainForm::ReadTButClick);
    connect(WiteMenu, &QAction::triggered, this, &TMainForm::WriteTButClick);
    connect(CompareMenu, &QAction::triggered, this, &TMainForm::CompareTButClick);
    connect(PMenu, &QAction::triggered, this, &TMainForm::ParaTButClick);
    connect(MMenu, &QAction::triggered, this, &TMainForm::ScanTButClick);
    connect(BackupsFolderMenu, &QAction::triggered, this, &TMainForm::BackupsFolderClick);
    connect(TraceMenu, &QAction::triggered, this, &TMainForm::SaveTraceClick);
    connect(AMenu, &QAction::triggered, this, &TMainForm::AboutTButClick);
    connect(ExitMenu, &QAction::triggered, this, &TMainForm::ExitTButClick);
}

void TMainForm::BuildToolBar() {
    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    // Image and caption share 36 pixels of height, so the caption gets a small font.
    QFont captionFont = font();
    captionFont.setPixelSize(11);
    const auto add = [this, &captionFont](const char* name, const char* icon) {
        auto* button = new ToolBarButton(ToolBar1);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(ToolIcon(QString::fromLatin1(icon)));
        button->setFont(captionFont);
        ToolBar1->addWidget(button);
        return button;
    };
    OpenTBut = add("OpenTBut", "open.svg");
    SaveTBut = add("SaveTBut", "save.svg");
    PrintTBut = add("PrintTBut", "print.svg");
    WriteTBut = add("WriteTBut", "write.svg");
    ReadTBut = add("ReadTBut", "read.svg");
    CompareTBut = add("CompareTBut", "compare.svg");
    ParaTBut = add("ParaTBut", "params.svg");
    ScanTBut = add("ScanTBut", "scan.svg");
    AboutTBut = add("AboutTBut", "about.svg");
    ToolButton9 = add("ToolButton9", "exit.svg");

    connect(OpenTBut, &QToolButton::clicked, this, &TMainForm::OpenTButClick);
    connect(SaveTBut, &QToolButton::clicked, this, &TMainForm::SaveTButClick);
    connect(PrintTBut, &QToolButton::clicked, this, &TMainForm::PrintTButClick);
    connect(WriteTBut, &QToolButton::clicked, this, &TMainForm::WriteTButClick);
    connect(ReadTBut, &QToolButton::clicked, this, &TMainForm::ReadTButClick);
    connect(CompareTBut, &QToolButton::clicked, this, &TMainForm::CompareTButClick);
    connect(ParaTBut, &QToolButton::clicked, this, &TMainForm::ParaTButClick);
    connect(ScanTBut, &QToolButton::clicked, this, &TMainForm::ScanTButClick);
    connect(AboutTBut, &QToolButton::clicked, this, &TMainForm::AboutTButClick);
    connect(ToolButton9, &QToolButton::clicked, this, &TMainForm::ExitTButClick);
}

void TMainForm::BuildPages() {
    suiPageControl1 = new QTabWidget(this);
    suiPageControl1->setObjectName(QStringLiteral("suiPageControl1"));
    commonPage_ = new CommonParamPage(settings_.LanguageIndex, suiPageControl1);
    commonPage_->setObjectName(QStringLiteral("suiTabSheet1"));
    suiTabSheet2 = new QWidget(suiPageControl1);
    suiTabSheet2->setObjectName(QStringLiteral("suiTabSheet2"));
    suiPageControl1->addTab(commonPage_, QString());
    suiPageControl1->addTab(suiTabSheet2, QString());

    DBGridEh = new ChannelGrid(settings_, suiTabSheet2);
    auto* layout = new QVBoxLayout(suiTabSheet2);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(DBGridEh, 0, Qt::AlignHCenter | Qt::AlignTop);
    pageBinding_ = new CommonPageBinding(*commonPage_, settings_.LanguageIndex, this);

    connect(suiPageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageChanged);
    setCentralWidget(suiPageControl1);
}

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    const std::array<int, 3> widths{100, 150, 0};
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new StatusPanel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (widths[i] > 0) panel->setFixedWidth(widths[i]);
        bar->addWidget(panel, widths[i] > 0 ? 0 : 1);
        statusPanels_[i] = panel;
    }
    // Lies over the status bar, outside its layout, and shows only during a transfer.
    ProgressBar1 = new QProgressBar(bar);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int height = 17;
    ProgressBar1->setGeometry(256, std::max(0, (statusBar()->height() - height) / 2), 514, height);
    ProgressBar1->raise();
}

void TMainForm::SetStatusPanel(int panel, const QString& text) {
    if (panel >= 0 && panel < int(statusPanels_.size()))
        statusPanels_[std::size_t(panel)]->SetFullText(text);
}

QString TMainForm::StatusPanelText(int panel) const {
    if (panel < 0 || panel >= int(statusPanels_.size())) return {};
    return statusPanels_[std::size_t(panel)]->FullText();
}

QStringList TMainForm::ColumnPickList(int column) const {
    if (column < 0 || column >= int(columnPickLists_.size())) return {};
    return columnPickLists_[std::size_t(column)];
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FirstShow();
    }
}

void TMainForm::FirstShow() {
    setWindowTitle(QTr(txt::MainCaption, settings_.LanguageIndex) + QLatin1Char('(') +
                   QString::fromStdString(settings_.BandText) + QLatin1Char(')'));
    rightButtons_ = new RightButtonFilter(this);
    qApp->installEventFilter(rightButtons_);
    suiPageControl1->setCurrentIndex(ChannelPage);
    TransferState().ApplyVariant();
    ScanTBut->setEnabled(settings_.HasScanList);
    MMenu->setEnabled(settings_.HasScanList);
    commonPage_->ScanGroupBox->setEnabled(settings_.HasScanList);
    SetProgress(0, TransferState().ProgressTotal, 0);
    if (storeSide_) {
        if (const StoreResult opened = storeSide_->OpenQueries(); !opened.ok()) {
            QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                            ShownText(opened.detail), QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("StoreMessage"));
            box.exec();
        }
    }
    RefreshPages();
    // What start-up left in the store is where the history begins.
    undo_->Reset();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    tray_->Icon().hide();
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    KeepRecoveryCopy();
    Q_EMIT Closed();
}

void TMainForm::PageChanged(int index) {
    const bool committed = SavePendingEdits();
    if (index == ChannelPage) {
        // Read again, so that rows changed through other connections show; an edit that could
        // not be saved stays pending instead.
        if (committed && storeSide_) storeSide_->ChannelQuery().Reopen();
        DBGridEh->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else if (index == CommonPageIndex && settings_.FactoryLock) {
        commonPage_->FactoryGroupBox->setEnabled(false);
    }
}

void TMainForm::RefreshPages() {
    // The grid shows the channel query as it changes; the page shows the row unless it holds
    // values not yet saved (what the user typed, what a read put there).
    if (dataSide_) pageBinding_->Load(*dataSide_);
}

void TMainForm::OpenFirstPort() {
    if (ProbePorts()) {
        comm_.SetCommName(CoreText(suiComboBox->currentText()));
        std::string message;
        if (!ReopenPort(&message)) {
            QMessageBox box(QMessageBox::Critical, QTr(txt::MainCaption, settings_.LanguageIndex),
                            ShownText(message), QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("PortMessage"));
            box.exec();
        }
        return;
    }
    QMessageBox box(QMessageBox::Information, QTr(txt::MainCaption, settings_.LanguageIndex),
                    QTr(txt::MsgNoPort, settings_.LanguageIndex), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PortMessage"));
    box.exec();
    SetStatusPanel(0, QTr(txt::TxtNoCom, settings_.LanguageIndex));
    comm_.SetCommName(std::string());
}

bool TMainForm::ProbePorts() {
    suiComboBox->clear();
    for (const std::string& port : q36::ProbePorts())
        suiComboBox->addItem(QString::fromStdString(port));
    if (suiComboBox->count() == 0) return false;
    suiComboBox->setCurrentIndex(0);
    return true;
}

bool TMainForm::ReopenPort(std::string* message) {
    const std::string name = comm_.CommName();
    try {
        ClosePortDrained(comm_);
        if (name.empty()) throw ECommsError(CommsErrorCode::CannotOpen);
        comm_.OpenPort();
    } catch (const ECommsError& error) {
        comm_.ClosePort();
        TransferState().PortOpen = false;
        SetStatusPanel(0,
                       QString::fromStdString(PortBusyStatusText(name, settings_.LanguageIndex)));
        if (message) {
            // The reason (in use, missing, no permission) goes below the fixed text.
            *message = PortBusyMessage(name, settings_.LanguageIndex) + "\r\n" +
                       PortOpenErrorText(error.what(), error.ErrorNumber(), error.SystemError(),
                                         settings_.LanguageIndex);
        }
        return false;
    }
    TransferState().PortOpen = true;
    SetStatusPanel(0, QString::fromStdString(PortOpenStatusText(name, settings_.LanguageIndex)));
    return true;
}

void TMainForm::ArmTimer() {
    NoteTransferEnd();
    const auto deadline =
        driving_ == Driving::Write ? sequence_.NextDeadline() : ReadRunner().NextDeadline();
    if (!deadline) {
        Timer1->stop();
        return;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - clock_.Now()).count();
    Timer1->start(int(std::max<long long>(left, 0)));
}

void TMainForm::ReadTButClick() {
    if (paramForm_) TransferState().Password = paramForm_->Password();
    driving_ = Driving::Read;
    if (runner_.PrepareRead() && AskYesNo(Tr(txt::MsgConfirmRead, settings_.LanguageIndex))) {
        trace_.Clear();
        transferUnlogged_ = true;
        lastReadResult_ = "stopped";
        undo_->BeginRead();
        runner_.StartRead();
    }
    ArmTimer();
}

void TMainForm::WriteTButClick() {
    if (paramForm_) TransferState().Password = paramForm_->Password();
    driving_ = Driving::Write;
    lastBackup_.clear();
    if (sequence_.Prepare(TransferState().Password, TransferState().PortOpen) &&
        AskYesNo(Tr(txt::MsgConfirmWrite, settings_.LanguageIndex))) {
        trace_.Clear();
        transferUnlogged_ = true;
        sequence_.Start();
    }
    ArmTimer();
}

void TMainForm::CommReceiveData(const uint8_t* buffer, uint16_t length) {
    if (driving_ == Driving::Write)
        sequence_.Deliver(buffer, length);
    else
        ReadRunner().Deliver(buffer, length);
    ArmTimer();
    RefreshPages();
}

void TMainForm::CommHangup() {
    // The adapter went away: the window gives up the port, says so, and a transfer under way
    // ends with the no-answer message.
    const std::string name = comm_.CommName();
    if (driving_ == Driving::Write)
        sequence_.PortVanished(comm_);
    else
        ReadRunner().PortVanished(comm_);
    TransferState().PortOpen = false;
    SetStatusPanel(0, QString::fromStdString(PortBusyStatusText(name, settings_.LanguageIndex)));
    ArmTimer();
}

void TMainForm::Timer1Timer() {
    if (driving_ == Driving::Write)
        sequence_.Tick();
    else
        ReadRunner().Tick();
    ArmTimer();
}

void TMainForm::ParaTButClick() {
    if (!paramForm_) return;
    paramForm_->ListDialogPorts();
    paramForm_->SetPortName(QString::fromStdString(comm_.CommName()));
    paramForm_->SetHeldPort(comm_.IsOpen() ? QString::fromStdString(comm_.CommName()) : QString());
    if (paramForm_->exec() != QDialog::Accepted) return;
    comm_.SetCommName(CoreText(paramForm_->PortName()));
    // After the dialog only the status bar reports a port that cannot be opened.
    ReopenPort();
}

void TMainForm::AboutTButClick() {
    if (aboutForm_) aboutForm_->ShowAbout();
}

void TMainForm::ExitTButClick() {
    close();
}

void TMainForm::ScanTButClick() {
    if (!scanForm_ || !settings_.HasScanList) return;
    DBGridEh->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scanForm_->RefreshScanEditor();
    // What counts is whether the user confirmed, which has already collected the lists.
    scanForm_->exec();
}

void TMainForm::SetFileChooser(std::unique_ptr<WorkbookFileChooser> chooser) {
    workbook_->SetChooser(std::move(chooser));
}

void TMainForm::SaveTButClick() {
    if (!workbook_->Save()) return;
    // A CSV holds only the channels' common fields: it is no copy of everything shown.
    if (!IsCsvFileName(QString::fromStdString(workbook_->LastFile()))) undo_->MarkClean();
    WorkbookUsed(workbook_->LastFile());
}

void TMainForm::OpenTButClick() {
    undo_->Settle();
    bool opened = false;
    {
        const UndoCommands::Hold quiet(*undo_);
        opened = workbook_->Open();
    }
    if (!opened) return;
    undo_->RecordStep(utxt::OpenName,
                      std::filesystem::path(workbook_->LastFile()).filename().string());
    if (!IsCsvFileName(QString::fromStdString(workbook_->LastFile()))) undo_->MarkClean();
    WorkbookUsed(workbook_->LastFile());
}

bool TMainForm::ImportAttempted() const {
    return workbook_->ImportAttempted();
}

void TMainForm::PrintTButClick() {
    if (!printForm_) return;
    try {
        // The reports read the store, so an edit still being made must be in it first; a report
        // without it would print what the window does not show.
        if (!SavePendingEdits()) return;
        printForm_->exec();
    } catch (...) {
        // Printing never takes the window down; the dialog reports its own failures.
    }
}

void TMainForm::CompareTButClick() {
    compareForm_->RefreshBackups();
    compareForm_->show();
    compareForm_->raise();
    compareForm_->activateWindow();
}

bool TMainForm::CurrentConfiguration(Configuration& configuration) {
    if (!SavePendingEdits() || !storeSide_) return false;
    ConfigurationQueries queries{storeSide_->ParamQuery(), storeSide_->ChannelQuery(),
                                 storeSide_->ScanQuery()};
    return StoreAnswered(LoadConfiguration(queries, configuration));
}

bool TMainForm::ApplyConfiguration(const Configuration& next, const TextPair& stepName) {
    undo_->Settle();
    {
        const UndoCommands::Hold quiet(*undo_);
        if (!StoreConfiguration(next)) return false;
    }
    undo_->RecordStep(stepName);
    return true;
}

bool TMainForm::StoreConfiguration(const Configuration& next) {
    if (!SavePendingEdits() || !storeSide_) return false;
    ConfigurationQueries queries{storeSide_->ParamQuery(), storeSide_->ChannelQuery(),
                                 storeSide_->ScanQuery()};
    const StoreResult saved = SaveConfiguration(queries, next, settings_.LanguageIndex);
    RefreshPages();
    return StoreAnswered(saved);
}

bool TMainForm::StoreAnswered(const StoreResult& result) {
    if (result.ok()) return true;
    QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                    ShownText(result.detail), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("StoreMessage"));
    box.exec();
    return false;
}

void TMainForm::HideGridScrollBar() {
    DBGridEh->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool TMainForm::SendData(const uint8_t* data, uint16_t length) {
    return comm_.SendData(data, length);
}

void TMainForm::ShowMessage(TransferEvent event, const std::string& text) {
    if (driving_ != Driving::Write) lastReadResult_ = ResultWord(event);
    QMessageBox box(QMessageBox::Information, QTr(txt::MainCaption, settings_.LanguageIndex),
                    ShownText(text), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("TransferMessage"));
    box.exec();
}

bool TMainForm::AskYesNo(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                    ShownText(question), QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("TransferQuestion"));
    return box.exec() == QMessageBox::Yes;
}

void TMainForm::SetProgress(int minimum, int maximum, int position) {
    ProgressBar1->setRange(minimum, maximum);
    ProgressBar1->setValue(position);
}

void TMainForm::SetProgressVisible(bool visible) {
    ProgressBar1->setVisible(visible);
}

void TMainForm::SetFirmwareStatus(const std::string& text) {
    SetStatusPanel(1, QString::fromStdString(text));
}

void TMainForm::Repaint() {
    repaint();
}

namespace {

StoreResult NoDataSide() {
    return StoreResult::Error(StoreErrc::Engine, std::string());
}

}  // namespace

bool TMainForm::SavePendingEdits() {
    const StoreResult committed = CommitPendingEdits();
    if (committed.ok()) return true;
    QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, settings_.LanguageIndex),
                    ShownText(committed.detail), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("StoreMessage"));
    box.exec();
    return false;
}

StoreResult TMainForm::CommitPendingEdits() {
    // What the open cell editor and the page hold goes into the rows first.
    DBGridEh->FlushEditor();
    if (!dataSide_) return StoreResult::Ok();
    if (StoreResult saved = pageBinding_->Save(*dataSide_); !saved.ok()) return saved;
    return dataSide_->CommitPendingEdits();
}

StoreResult TMainForm::LoadChannelRows(ChannelArr& rows) {
    return dataSide_ ? dataSide_->LoadChannelRows(rows) : NoDataSide();
}

StoreResult TMainForm::StoreChannel(const ChannelUpdate& update) {
    return dataSide_ ? dataSide_->StoreChannel(update) : NoDataSide();
}

// The transfers see the page: a write encodes what it shows, a read puts the radio's values on
// it, and they reach the row when the page is next saved.
StoreResult TMainForm::ReadCommonPage(q36::CommonPage& page) {
    page = pageBinding_->Values();
    return StoreResult::Ok();
}

StoreResult TMainForm::ShowCommonPage(const q36::CommonPage& page) {
    pageBinding_->Show(page);
    return StoreResult::Ok();
}

StoreResult TMainForm::FillScanArr(ScanArr& scans) {
    // The scan editor's confirm action: its open slot editor first, then its posted table.
    if (scanForm_) scanForm_->FlushEditor();
    return dataSide_ ? dataSide_->FillScanArr(scans) : NoDataSide();
}

StoreResult TMainForm::StoreScanList(int listNo,
                                     const std::array<std::string, SCAN_SLOT_COUNT>& slots) {
    return dataSide_ ? dataSide_->StoreScanList(listNo, slots) : NoDataSide();
}

}  // namespace q36::ui
