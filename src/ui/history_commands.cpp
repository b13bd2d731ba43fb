// The main window's edit history: undo and redo of its steps, the workbooks of the File menu,
// and the recovery copy kept at close and offered at the next start.

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <filesystem>

#include "channel_grid.h"
#include "common_page.h"
#include "common_page_binding.h"
#include "exchange/data_folder.h"
#include "exchange/export_workbook.h"
#include "main_form.h"
#include "recent_workbooks.h"
#include "store/configuration_store.h"
#include "ui_text.h"
#include "undo_commands.h"
#include "undo_texts.h"
#include "window_texts.h"
#include "workbook_commands.h"

namespace q36::ui {

void TMainForm::BuildEditHistory() {
    undo_ = std::make_unique<UndoCommands>(
        [this](Configuration& configuration) { return ShownConfiguration(configuration); },
        [this](const Configuration& next) { return StoreConfiguration(next); }, *UndoMenu,
        *RedoMenu, settings_.LanguageIndex);
    undo_->SetBusy([this] {
        return runner_.Running() || sequence_.Running() ||
               (memoryRunner_ && memoryRunner_->Running());
    });
    // A cell the store took, a common control left or picked, a scan slot chosen.
    connect(&DBGridEh->Model(), &QAbstractItemModel::dataChanged, undo_.get(),
            &UndoCommands::ScheduleSettle);
    for (std::size_t i = 1; i < commonPage_->suiDBEdit.size(); ++i) {
        connect(commonPage_->suiDBEdit[i], &QLineEdit::editingFinished, undo_.get(),
                &UndoCommands::ScheduleSettle);
    }
    for (std::size_t i = 1; i < commonPage_->suiDBComboBox.size(); ++i) {
        QComboBox* list = commonPage_->suiDBComboBox[i];
        connect(list, &QComboBox::activated, undo_.get(), &UndoCommands::ScheduleSettle);
        if (list->lineEdit()) {
            connect(list->lineEdit(), &QLineEdit::editingFinished, undo_.get(),
                    &UndoCommands::ScheduleSettle);
        }
    }
    for (QCheckBox* box : {commonPage_->suiDBCheckBox1, commonPage_->suiDBCheckBox2})
        connect(box, &QCheckBox::clicked, undo_.get(), &UndoCommands::ScheduleSettle);

    recentSeparator_ = FileMenu->insertSeparator(ExitMenu);
    connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::ShowRecentWorkbooks);
    ShowRecentWorkbooks();
}

bool TMainForm::ShownConfiguration(Configuration& configuration) {
    if (!storeSide_) return false;
    ConfigurationQueries queries{storeSide_->ParamQuery(), storeSide_->ChannelQuery(),
                                 storeSide_->ScanQuery()};
    if (!LoadConfiguration(queries, configuration).ok()) return false;
    if (pageBinding_->Pending()) configuration.common = pageBinding_->Values();
    return true;
}

QStringList TMainForm::RecentWorkbookList() const {
    return RecentWorkbooks();
}

void TMainForm::ShowRecentWorkbooks() {
    qDeleteAll(recentActions_);
    recentActions_.clear();
    const QStringList paths = RecentWorkbooks();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), FileMenu);
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i));
        action->setStatusTip(path);
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenWorkbookFile(path); });
        FileMenu->insertAction(recentSeparator_, action);
        recentActions_ << action;
    }
    recentSeparator_->setVisible(!paths.isEmpty());
}

void TMainForm::WorkbookUsed(const std::string& path) {
    if (path.empty()) return;
    NoteRecentWorkbook(QString::fromStdString(path));
    ShowRecentWorkbooks();
}

bool TMainForm::OpenWorkbookFile(const QString& name) {
    undo_->Settle();
    bool opened = false;
    {
        const UndoCommands::Hold quiet(*undo_);
        opened = workbook_->OpenFile(name);
    }
    ShowRecentWorkbooks();
    if (!opened) return false;
    undo_->RecordStep(utxt::OpenName, QFileInfo(name).fileName().toStdString());
    // The recovery copy is deleted once opened: what it brought is still neither saved nor
    // written. A CSV holds only part of what is shown.
    if (CoreText(name) != RecoveryCopyPath()) {
        if (!IsCsvFileName(name)) undo_->MarkClean();
        WorkbookUsed(workbook_->LastFile());
    }
    return true;
}

std::string TMainForm::RecoveryCopyPath() const {
    if (recoveryFolder_.empty()) return {};
    return recoveryFolder_ + "/recovery-" + settings_.BandText + ".xlsx";
}

void TMainForm::KeepRecoveryCopy() {
    const std::string path = RecoveryCopyPath();
    if (path.empty() || !storeSide_ || !undo_->HasUnsavedChanges()) return;
    if (!SavePendingEdits()) return;
    const int language = settings_.LanguageIndex;
    std::string failure;
    if (const exchange::ExchangeStatus made = exchange::MakeFolders(recoveryFolder_); !made.ok()) {
        failure = made.detail;
    } else {
        ConfigurationQueries queries{storeSide_->ParamQuery(), storeSide_->ChannelQuery(),
                                     storeSide_->ScanQuery()};
        const exchange::ExchangeOutcome outcome = exchange::ExportWorkbook(
            path, [] { return true; }, queries, language);
        if (outcome.Succeeded()) return;
        for (const exchange::ExchangeMessage& message : outcome.messages)
            failure += message.detail.empty() ? std::string() : message.detail + "\n";
    }
    QMessageBox box(QMessageBox::Warning, QTr(wtxt::NoCaption, language),
                    QTr(utxt::RecoveryNotKept, language) + ShownText(failure), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("RecoveryMessage"));
    box.exec();
}

void TMainForm::OfferRecoveryCopy() {
    const std::string path = RecoveryCopyPath();
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
    const int language = settings_.LanguageIndex;
    QMessageBox box(QMessageBox::Question, QTr(wtxt::NoCaption, language),
                    QTr(utxt::RecoveryQuestion, language), QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setObjectName(QStringLiteral("RecoveryQuestion"));
    box.setInformativeText(QString::fromStdString(path));
    const bool open = box.exec() == QMessageBox::Yes;
    // A copy that was not taken (cancelled in its preview, or refused) stays for the next start.
    if (open && !OpenWorkbookFile(QString::fromStdString(path))) return;
    std::filesystem::remove(path, error);
}

void TMainForm::NoteTransferForHistory() {
    if (driving_ == Driving::Read) {
        undo_->EndRead(lastReadResult_ == "done");
        return;
    }
    if (driving_ != Driving::Write) return;
    const WriteEnd end = sequence_.End();
    // The radio took every block: what is shown is now in the radio.
    if (end == WriteEnd::Written || end == WriteEnd::Verified || end == WriteEnd::CheckFailed)
        undo_->MarkWritten();
}

}  // namespace q36::ui
