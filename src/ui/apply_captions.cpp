// The caption pass of the main window: every text it shows, in the language of the run.

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

#include "channel_grid.h"
#include "common_page.h"
#include "compare_texts.h"
#include "grid_edit_commands.h"
#include "main_form.h"
#include "safety_texts.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

void TMainForm::ApplyCaptions() {
    const int language = settings_.LanguageIndex;
    setWindowTitle(QTr(txt::MainCaption, language));
    OpenTBut->setText(QTr(txt::OpenTBut, language));
    SaveTBut->setText(QTr(txt::SaveTBut, language));
    PrintTBut->setText(QTr(txt::PrintTBut, language));
    WriteTBut->setText(QTr(txt::WriteTBut, language));
    ReadTBut->setText(QTr(txt::ReadTBut, language));
    CompareTBut->setText(QTr(ctxt::CompareCaption, language));
    ParaTBut->setText(QTr(txt::ParaTBut, language));
    ScanTBut->setText(QTr(txt::ScanTBut, language));
    AboutTBut->setText(QTr(txt::AboutTBut, language));
    ToolButton9->setText(QTr(txt::ToolButton9, language));

    FileMenu->setTitle(QTr(txt::FileMenu, language));
    N1->setText(QTr(txt::N1, language));
    N2->setText(QTr(txt::N2, language));
    N3->setText(QTr(txt::N3, language));
    ExitMenu->setText(QTr(txt::ExitMenu, language));
    editCommands_->ApplyCaptions();
    OperMenu->setTitle(QTr(txt::OperMenu, language));
    WiteMenu->setText(QTr(txt::WiteMenu, language));
    ReadMenu->setText(QTr(txt::ReadMenu, language));
    CompareMenu->setText(QTr(ctxt::CompareMenu, language));
    SetMenu->setTitle(QTr(txt::SetMenu, language));
    PMenu->setText(QTr(txt::PMenu, language));
    MMenu->setText(QTr(txt::MMenu, language));
    BackupMenu->setText(QTr(wtxt::BackupMenu, language));
    VerifyMenu->setText(QTr(wtxt::VerifyMenu, language));
    BackupsFolderMenu->setText(QTr(wtxt::BackupsFolderMenu, language));
    TraceMenu->setText(QTr(wtxt::TraceMenu, language));
    HelpMune->setTitle(QTr(txt::HelpMune, language));
    AMenu->setText(QTr(txt::AMenu, language));
    HMenu->setText(QTr(txt::HMenu, language));

    suiPageControl1->setTabText(0, QTr(txt::SuiTabSheet1, language));
    suiPageControl1->setTabText(1, QTr(txt::SuiTabSheet2, language));

    const QStringList titles = QChoices(lists::ColumnTitleTable, language);
    DBGridEh->Model().SetTitles(titles);

    // The stored value of these columns is the shown word, so one list serves as both the pick
    // list and the key list.
    for (auto& list : columnPickLists_) list.clear();
    columnPickLists_[6] = QChoices(lists::TxPower, language);
    columnPickLists_[11] = QChoices(lists::Bandwidth, language);
    columnPickLists_[12] = QChoices(lists::AddScan, language);
    columnPickLists_[13] = QChoices(lists::Busy, language);
    for (int column : {6, 11, 12, 13}) {
        DBGridEh->SetWordList(column, columnPickLists_[std::size_t(column)]);
    }

    commonPage_->ApplyCaptions();
}

}  // namespace q36::ui
