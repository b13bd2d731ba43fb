// The main window's safe write: the switches of the 设置 menu, the backup kept before a write,
// the question about its changes, the backups folder, the line trace and the programming log.

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <ctime>

#include "changes_preview_dialog.h"
#include "codec/change_words.h"
#include "exchange/backup_files.h"
#include "exchange/data_folder.h"
#include "exchange/programming_log.h"
#include "exchange/replacing_file.h"
#include "main_form.h"
#include "param_form.h"
#include "safety_texts.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_texts.h"
#include "workbook_commands.h"
#include "workbook_file_chooser.h"

namespace q36::ui {

void TMainForm::SetWriteSafety(WriteSafety safety) {
    BackupMenu->setChecked(safety.backup);
    VerifyMenu->setChecked(safety.verify);
    sequence_.SetSafety(safety);
}

bool TMainForm::KeepBackup(const RadioImage& image, const Configuration& configuration,
                           const std::string& firmware, std::string& failure) {
    const auto saved = exchange::SaveBackup(backupsFolder_, image, configuration, settings_,
                                            firmware, std::time(nullptr));
    if (!saved.ok()) {
        failure = saved.status().detail;
        return false;
    }
    lastBackup_ = saved.value().workbook;
    return true;
}

bool TMainForm::ConfirmChanges(const std::vector<FieldChange>& changes) {
    const int language = settings_.LanguageIndex;
    return ui::ConfirmChanges(this, changes, QTr(wtxt::MsgConfirmChanges, language), language);
}

namespace {

void Tell(QWidget* parent, QMessageBox::Icon icon, const std::string& text, int language) {
    QMessageBox box(icon, QTr(wtxt::NoCaption, language), ShownText(text), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SafetyMessage"));
    box.exec();
}

}  // namespace

void TMainForm::BackupsFolderClick() {
    const int language = settings_.LanguageIndex;
    const std::string text = Fill(Tr(wtxt::MsgFolderNotOpened, language), "{file}", backupsFolder_);
    if (const exchange::ExchangeStatus made = exchange::MakeFolders(backupsFolder_); !made.ok())
        return Tell(this, QMessageBox::Warning, text + "\n" + made.detail, language);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(backupsFolder_))))
        Tell(this, QMessageBox::Warning, text, language);
}

void TMainForm::SaveTraceClick() {
    const int language = settings_.LanguageIndex;
    if (trace_.Empty())
        return Tell(this, QMessageBox::Information, Tr(wtxt::MsgNoTrace, language), language);
    const QString name = workbook_->Chooser().TraceFileName(this, language);
    if (name.isEmpty()) return;
    const std::string path = CoreText(name);
    if (const exchange::ExchangeStatus saved = exchange::SaveTextFile(path, trace_.Text());
        !saved.ok()) {
        return Tell(this, QMessageBox::Warning,
                    Tr(txt::MsgTraceNotSaved, language) + "\n" + saved.detail, language);
    }
    Tell(this, QMessageBox::Information, Fill(Tr(wtxt::MsgTraceSaved, language), "{file}", path),
         language);
}

TransferRunner& TMainForm::ReadRunner() {
    return driving_ == Driving::MemoryRead && memoryRunner_ ? *memoryRunner_ : runner_;
}

bool TMainForm::ReadRadioInto(std::function<void(const Configuration&)> done) {
    if (paramForm_) TransferState().Password = paramForm_->Password();
    if (!memoryEffects_) memoryEffects_ = std::make_unique<MemoryReadEffects>(*this);
    memoryData_ = std::make_unique<ConfigurationData>();
    memoryRunner_ =
        std::make_unique<TransferRunner>(*memoryData_, *memoryEffects_, clock_, settings_);
    Transfer& transfer = memoryRunner_->GetTransfer();
    transfer.ApplyVariant();
    transfer.Password = TransferState().Password;
    transfer.PortOpen = TransferState().PortOpen;
    memoryRunner_->SetTrace(&trace_);
    driving_ = Driving::MemoryRead;
    memoryDone_ = std::move(done);
    memoryReadComplete_ = false;
    if (!memoryRunner_->PrepareRead()) return false;
    trace_.Clear();
    transferUnlogged_ = true;
    lastReadResult_ = "stopped";
    memoryRunner_->StartRead();
    ArmTimer();
    return true;
}

void TMainForm::NoteTransferEnd() {
    if (memoryReadComplete_) {
        memoryReadComplete_ = false;
        // Handed on once the runner has returned: done may start another transfer.
        QTimer::singleShot(
            0, this, [this, configuration = memoryData_->Value(), done = std::move(memoryDone_)] {
                if (done) done(configuration);
            });
    }
    if (!transferUnlogged_) return;
    if (driving_ == Driving::Write ? sequence_.Running() : ReadRunner().Running()) return;
    transferUnlogged_ = false;
    NoteTransferForHistory();
    if (driving_ == Driving::Write) return LogStages(sequence_.Records());
    LogStages({{WriteStage::Idle, lastReadResult_, ""}});
}

void TMainForm::LogStages(const std::vector<StageRecord>& records) {
    const std::string firmware =
        driving_ == Driving::Write ? sequence_.Firmware() : ReadRunner().GetTransfer().Firmware;
    const exchange::ProgrammingLogEntry base{
        "q36cps", comm_.CommName(),     settings_.BandText, firmware, "", "", "",
        "",       workbook_->LastFile()};
    // The record is a convenience: a log that cannot be kept does not stop the work.
    exchange::AppendStages(records, base, lastBackup_);
}

}  // namespace q36::ui
