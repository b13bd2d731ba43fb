#include "grid_edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <algorithm>
#include <set>

#include "channel_grid.h"
#include "codec/band_defaults.h"
#include "edit_texts.h"
#include "main_form.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_texts.h"

namespace q36::ui {

namespace {

QAction* AddCommand(QMenu& menu, const char* name, const QKeySequence& keys) {
    QAction* action = menu.addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

}  // namespace

GridEditCommands::GridEditCommands(TMainForm& window, QMenu& menu)
    : QObject(&window), window_(window), menu_(menu) {
    menu_.setObjectName(QStringLiteral("EditMenu"));
    copy_ = AddCommand(menu_, "CopyMenu", QKeySequence::Copy);
    paste_ = AddCommand(menu_, "PasteMenu", QKeySequence::Paste);
    fillDown_ = AddCommand(menu_, "FillDownMenu", QKeySequence(Qt::CTRL | Qt::Key_D));
    menu_.addSeparator();
    clearChannel_ = AddCommand(menu_, "ClearChannelMenu", {});
    resetPage_ = AddCommand(menu_, "ResetPageMenu", {});
    connect(copy_, &QAction::triggered, this, &GridEditCommands::Copy);
    connect(paste_, &QAction::triggered, this, [this] { Paste(); });
    connect(fillDown_, &QAction::triggered, this, &GridEditCommands::FillDown);
    connect(clearChannel_, &QAction::triggered, this, &GridEditCommands::ClearChannel);
    connect(resetPage_, &QAction::triggered, this, &GridEditCommands::ResetPage);
    qApp->installEventFilter(this);
}

bool GridEditCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // A text field of the window that has no typing of its own to take back leaves Ctrl+Z and
    // Ctrl+Y to the window's undo and redo: the grid keeps an editor open on its current cell.
    if (auto* field = qobject_cast<QLineEdit*>(watched); field && window_.isAncestorOf(field)) {
        const QKeyCombination combination = key->keyCombination();
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                          combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
        if ((undo && !field->isUndoAvailable()) || (redo && !field->isRedoAvailable())) {
            key->ignore();
            return true;
        }
    }
    const bool copy = key->matches(QKeySequence::Copy);
    const bool paste = key->matches(QKeySequence::Paste);
    auto* editor = qobject_cast<QWidget*>(watched);
    ChannelGrid& grid = window_.Grid();
    if ((!copy && !paste) || !editor || !grid.viewport()->isAncestorOf(editor)) return false;
    const bool manyCells =
        grid.selectionModel() && grid.selectionModel()->selectedIndexes().size() > 1;
    QString text = paste ? QGuiApplication::clipboard()->text() : QString();
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
    const bool block = text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n'));
    if (!manyCells && !block) return false;
    // Not accepted: the menu's shortcut runs instead of the editor's own copy or paste.
    grid.FlushEditor();
    key->ignore();
    return true;
}

void GridEditCommands::ApplyCaptions() {
    const int language = window_.Settings().LanguageIndex;
    menu_.setTitle(QTr(etxt::EditMenu, language));
    copy_->setText(QTr(etxt::CopyMenu, language));
    paste_->setText(QTr(etxt::PasteMenu, language));
    fillDown_->setText(QTr(etxt::FillDownMenu, language));
    clearChannel_->setText(QTr(etxt::ClearChannelMenu, language));
    resetPage_->setText(QTr(etxt::ResetPageMenu, language));
}

void GridEditCommands::Selection(std::vector<int>& rows, std::vector<int>& columns) const {
    std::set<int> rowSet;
    std::set<int> columnSet;
    ChannelGrid& grid = window_.Grid();
    // The grid's commands do nothing on the common page, where the grid's selection is not seen.
    if (!grid.isVisibleTo(&window_)) return;
    QModelIndexList cells =
        grid.selectionModel() ? grid.selectionModel()->selectedIndexes() : QModelIndexList();
    if (cells.isEmpty() && grid.currentIndex().isValid()) cells << grid.currentIndex();
    for (const QModelIndex& cell : cells) {
        rowSet.insert(cell.row());
        columnSet.insert(cell.column());
    }
    rows.assign(rowSet.begin(), rowSet.end());
    columns.assign(columnSet.begin(), columnSet.end());
}

CellRules GridEditCommands::Rules() const {
    const RunSettings& settings = window_.Settings();
    return {settings.BandLowMHz, settings.BandHighMHz, settings.LanguageIndex};
}

void GridEditCommands::Copy() {
    std::vector<int> rows;
    std::vector<int> columns;
    Selection(rows, columns);
    Configuration current;
    if (rows.empty() || !window_.CurrentConfiguration(current)) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ChannelCellsText(current.channels, rows, columns)));
}

void GridEditCommands::Paste(const QString* text) {
    std::vector<int> rows;
    std::vector<int> columns;
    Selection(rows, columns);
    const QString pasted = text ? *text : QGuiApplication::clipboard()->text();
    Configuration current;
    if (rows.empty() || pasted.isEmpty() || !window_.CurrentConfiguration(current)) return;
    const CellsOutcome outcome = PasteChannelCells(
        current.channels, rows.front(), columns.front(), rows.back() - rows.front() + 1,
        columns.back() - columns.front() + 1, ParseTabText(pasted.toStdString()), Rules());
    Apply(current, outcome.rows, etxt::PasteMenu, outcome.refused, outcome.cutOff);
}

void GridEditCommands::FillDown() {
    std::vector<int> rows;
    std::vector<int> columns;
    Selection(rows, columns);
    Configuration current;
    if (rows.size() < 2 || !window_.CurrentConfiguration(current)) return;
    const CellsOutcome outcome = FillDownChannels(current.channels, rows, columns, Rules());
    Apply(current, outcome.rows, etxt::FillDownMenu, outcome.refused, false);
}

void GridEditCommands::ClearChannel() {
    std::vector<int> rows;
    std::vector<int> columns;
    Selection(rows, columns);
    Configuration current;
    if (rows.empty() || !window_.CurrentConfiguration(current)) return;
    Apply(current, ClearChannels(current.channels, rows, Rules()), etxt::ClearChannelMenu, {},
          false);
}

void GridEditCommands::ResetPage() {
    Configuration current;
    if (!window_.CurrentConfiguration(current)) return;
    Configuration next = current;
    const CellRules rules = Rules();
    // The page in view: the channel grid's, or else the common values'.
    if (window_.Grid().isVisibleTo(&window_)) {
        std::vector<int> all(current.channels.size());
        for (std::size_t r = 0; r < all.size(); ++r) all[r] = int(r);
        next.channels = ClearChannels(current.channels, all, rules);
    } else {
        next.common = BandDefaultCommon();
    }
    if (next != current) window_.ApplyConfiguration(next, etxt::ResetPageMenu);
}

void GridEditCommands::Apply(const Configuration& current, const ChannelArr& channels,
                             const TextPair& step, const std::vector<CellRefusal>& refused,
                             bool cutOff) {
    Configuration next = current;
    next.channels = channels;
    if (next != current && !window_.ApplyConfiguration(next, step)) return;
    if (refused.empty() && !cutOff) return;
    const int language = window_.Settings().LanguageIndex;
    QStringList lines;
    if (!refused.empty()) {
        lines << QTr(etxt::RefusedHead, language);
        for (const CellRefusal& refusal : refused)
            lines << QString::fromStdString(DescribeCellRefusal(refusal, language));
    }
    if (cutOff) lines << QTr(etxt::PasteCutOff, language);
    QMessageBox box(QMessageBox::Information, QTr(txt::MainCaption, language),
                    lines.join(QLatin1Char('\n')), QMessageBox::Ok, &window_);
    box.setObjectName(QStringLiteral("PasteRefusal"));
    box.exec();
}

}  // namespace q36::ui
