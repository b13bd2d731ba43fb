// The caption pass of the main window: every text it shows, in the current language.

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

#include "channel_grid.h"
#include "common_page.h"
#include "main_form.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

void TMainForm::ApplyCaptions() {
    setWindowTitle(QTr(txt::MainCaption));
    OpenTBut->setText(QTr(txt::OpenTBut));
    SaveTBut->setText(QTr(txt::SaveTBut));
    PrintTBut->setText(QTr(txt::PrintTBut));
    WriteTBut->setText(QTr(txt::WriteTBut));
    ReadTBut->setText(QTr(txt::ReadTBut));
    ParaTBut->setText(QTr(txt::ParaTBut));
    ScanTBut->setText(QTr(txt::ScanTBut));
    AboutTBut->setText(QTr(txt::AboutTBut));
    ToolButton9->setText(QTr(txt::ToolButton9));

    FileMenu->setTitle(QTr(txt::FileMenu));
    N1->setText(QTr(txt::N1));
    N2->setText(QTr(txt::N2));
    N3->setText(QTr(txt::N3));
    ExitMenu->setText(QTr(txt::ExitMenu));
    OperMenu->setTitle(QTr(txt::OperMenu));
    WiteMenu->setText(QTr(txt::WiteMenu));
    ReadMenu->setText(QTr(txt::ReadMenu));
    SetMenu->setTitle(QTr(txt::SetMenu));
    PMenu->setText(QTr(txt::PMenu));
    MMenu->setText(QTr(txt::MMenu));
    HelpMune->setTitle(QTr(txt::HelpMune));
    AMenu->setText(QTr(txt::AMenu));
    HMenu->setText(QTr(txt::HMenu));

    suiPageControl1->setTabText(0, QTr(txt::SuiTabSheet1));
    suiPageControl1->setTabText(1, QTr(txt::SuiTabSheet2));

    const QStringList titles = QChoices(lists::ColumnTitleTable);
    DBGridEh->Model().SetTitles(titles);

    // The stored value of these columns is the shown word, so one list serves as both the pick
    // list and the key list.
    for (auto& list : columnPickLists_) list.clear();
    columnPickLists_[6] = QChoices(lists::TxPower);
    columnPickLists_[11] = QChoices(lists::Bandwidth);
    columnPickLists_[12] = QChoices(lists::AddScan);
    columnPickLists_[13] = QChoices(lists::Busy);
    for (int column : {6, 11, 12, 13}) {
        DBGridEh->SetWordList(column, columnPickLists_[std::size_t(column)]);
    }

    commonPage_->ApplyCaptions();
}

}  // namespace q36::ui
