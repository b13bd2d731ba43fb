#include "workbook_commands.h"

#include <QApplication>
#include <QMessageBox>

#include "changes_preview_dialog.h"
#include "codec/comparable_form.h"
#include "compare_texts.h"
#include "exchange/exchange_texts.h"
#include "exchange/export_workbook.h"
#include "exchange/import_workbook.h"
#include "main_form.h"
#include "store/store_transfer_data.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_texts.h"
#include "workbook_file_chooser.h"

namespace q36::ui {

namespace {

// The hourglass while a workbook is written or read; it gives way to the questions asked.
class WaitCursor {
  public:
    WaitCursor() { Start(); }
    ~WaitCursor() { Stop(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void Start() {
        if (on_) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        on_ = true;
    }
    void Stop() {
        if (!on_) return;
        QApplication::restoreOverrideCursor();
        on_ = false;
    }

  private:
    bool on_ = false;
};

// Without the store there is nothing to save or to read into; the window always has it in the
// program, so only a window set up without one ends here.
exchange::ExchangeOutcome NoStore(exchange::ExchangeResult result) {
    exchange::ExchangeMessage message;
    if (result == exchange::ExchangeResult::SaveFailed) {
        message.text = &exchange::texts::SaveFailed;
        message.caption = &exchange::texts::SaveFailedCaption;
        message.information = true;
    } else {
        message.text = &txt::MsgFileReadFailed;
    }
    return {result, {message}};
}

}  // namespace

WorkbookCommands::WorkbookCommands(TMainForm& window)
    : window_(window),
      chooser_(std::make_unique<DialogFileChooser>(window.Settings().LanguageIndex)) {}

WorkbookCommands::~WorkbookCommands() = default;

void WorkbookCommands::SetChooser(std::unique_ptr<WorkbookFileChooser> chooser) {
    if (chooser) chooser_ = std::move(chooser);
}

bool WorkbookCommands::Save() {
    try {
        if (!window_.SavePendingEdits()) return false;
        window_.HideGridScrollBar();
        const QString name = chooser_->SaveFileName(&window_);
        if (name.isEmpty()) return false;
        if (IsCsvFileName(name)) return SaveCsv(name);
        exchange::ExchangeOutcome outcome;
        if (StoreTransferData* side = window_.StoreSide()) {
            ConfigurationQueries queries{side->ParamQuery(), side->ChannelQuery(),
                                         side->ScanQuery()};
            WaitCursor wait;
            const auto askOverwrite = [this, &wait] {
                wait.Stop();
                const bool replace = AskOverwrite();
                if (replace) wait.Start();
                return replace;
            };
            outcome = exchange::ExportWorkbook(FilePath(name), askOverwrite, queries,
                                               window_.Settings().LanguageIndex);
        } else {
            outcome = NoStore(exchange::ExchangeResult::SaveFailed);
        }
        if (outcome.Succeeded()) lastFile_ = FilePath(name);
        ShowOutcome(outcome);
        return outcome.Succeeded();
    } catch (...) {
        // A failure that escaped the exchange must not end the program; the store is unchanged.
    }
    return false;
}

bool WorkbookCommands::Open() {
    importAttempted_ = false;
    try {
        if (!window_.SavePendingEdits()) return false;
        const QString name = chooser_->OpenFileName(&window_);
        if (name.isEmpty()) return false;
        return OpenFile(name);
    } catch (...) {
        // As for Save: swallowed, the store keeps what it held.
    }
    return false;
}

bool WorkbookCommands::OpenFile(const QString& name) {
    try {
        if (!window_.SavePendingEdits()) return false;
        importAttempted_ = true;
        if (IsCsvFileName(name)) return OpenCsv(name);
        exchange::ExchangeOutcome outcome;
        if (StoreTransferData* side = window_.StoreSide()) {
            ConfigurationQueries queries{side->ParamQuery(), side->ChannelQuery(),
                                         side->ScanQuery()};
            WaitCursor wait;
            // Nothing is stored before the user has seen what the file would change.
            const auto confirm = [this, &wait](const Configuration& current,
                                               const Configuration& incoming) {
                const int language = window_.Settings().LanguageIndex;
                wait.Stop();
                const bool go =
                    ConfirmChanges(&window_, DiffComparable(current, incoming, language),
                                   QTr(ctxt::OpenQuestion, language), language);
                if (go) wait.Start();
                return go;
            };
            outcome = exchange::ImportWorkbook(FilePath(name), queries, window_.Settings(),
                                               exchange::WorkbookLanguages::Current, confirm);
        } else {
            outcome = NoStore(exchange::ExchangeResult::ReadFailed);
        }
        // What the pages show is the store as the import left it, before any message.
        window_.RefreshPages();
        if (outcome.Succeeded()) lastFile_ = FilePath(name);
        ShowOutcome(outcome);
        if (!outcome.Succeeded()) window_.HideGridScrollBar();
        return outcome.Succeeded();
    } catch (...) {
        // As for Save: swallowed, the store keeps what it held.
    }
    return false;
}

bool WorkbookCommands::AskOverwrite() {
    const int language = window_.Settings().LanguageIndex;
    QMessageBox box(QMessageBox::Question, QTr(wtxt::NoCaption, language),
                    QTr(txt::MsgFileExists, language), QMessageBox::Yes | QMessageBox::No,
                    &window_);
    box.setObjectName(QStringLiteral("OverwriteQuestion"));
    // Enter alone must not replace a file.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WorkbookCommands::ShowOutcome(const exchange::ExchangeOutcome& outcome) {
    const int language = window_.Settings().LanguageIndex;
    for (const exchange::ExchangeMessage& message : outcome.messages) {
        const QMessageBox::Icon icon = message.information || outcome.Succeeded()
                                           ? QMessageBox::Information
                                           : QMessageBox::Warning;
        const QString caption =
            message.caption ? QTr(*message.caption, language) : QTr(txt::MainCaption, language);
        QMessageBox box(icon, caption, message.text ? QTr(*message.text, language) : QString(),
                        QMessageBox::Ok, &window_);
        box.setObjectName(QStringLiteral("WorkbookMessage"));
        // The reason and the file go below the message, in smaller print.
        if (!message.detail.empty()) box.setInformativeText(ShownText(message.detail));
        box.exec();
    }
}

}  // namespace q36::ui
