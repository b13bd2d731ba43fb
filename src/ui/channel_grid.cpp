#include "channel_grid.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <array>

#include "codec/tone_tables.h"
#include "grid_cell_delegate.h"
#include "list_only_key_filter.h"
#include "pick_list_box.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

namespace {

namespace col = channel_column;

constexpr std::array<int, col::Count> ColumnWidths{38, 36, 36, 70, 55, 58, 60,
                                                   70, 55, 58, 60, 38, 60, 57};
constexpr int RowHeight = 22;

QStringList ToneTypes() {
    QStringList types;
    for (std::string_view type : ToneTypeTexts)
        types << QString::fromUtf8(type.data(), type.size());
    return types;
}

}  // namespace

ChannelGrid::ChannelGrid(const RunSettings& settings, QWidget* parent)
    : EditGrid(parent),
      language_(settings.LanguageIndex),
      model_(new ChannelGridModel(settings, this)) {
    setObjectName(QStringLiteral("DBGridEh"));
    setModel(model_);
    model_->SetMessageSink([this](const QString& text) { ShowMessage(text); });

    Delegate().SetCheckColumn(col::Enabled);
    Delegate().SetCheckColumn(col::Vox);
    Delegate().SetNoEditor(col::Sdata);
    Delegate().SetNoEditor(col::Redata);
    Delegate().SetList(col::Ftone, ToneTypes());
    Delegate().SetList(col::Retone, ToneTypes());
    QStringList levels;
    QStringList levelKeys;
    for (int key = 0; key <= 8; ++key) {
        levels << QStringLiteral("[%1]").arg(key + 1);
        levelKeys << QString::number(key);
    }
    Delegate().SetList(col::Level, levels, levelKeys);
    // A frequency is typed in plain decimals; an exponent would slip past the band check.
    Delegate().SetDiscarded(QStringLiteral("Ee"));

    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Cells and whole rows are selected for the Edit menu's commands; editing stays per cell.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(20);
    int width = 0;
    for (int column = 0; column < col::Count; ++column) {
        setColumnWidth(column, ColumnWidths[std::size_t(column)]);
        width += ColumnWidths[std::size_t(column)];
    }
    // All rows and columns in view: the grid is exactly as large as its cells.
    setFixedSize(width + 2 * frameWidth(),
                 24 * RowHeight + horizontalHeader()->sizeHint().height() + 2 * frameWidth());

    DBComboBoxEh1 = NewToneList("DBComboBoxEh1", col::Sdata);
    DBComboBoxEh2 = NewToneList("DBComboBoxEh2", col::Redata);

    // A click saves the row's frequencies: an out-of-band entry brings them back.
    connect(this, &QTableView::pressed, this,
            [this](const QModelIndex& index) { model_->SaveOldFrequencies(index.row()); });
    connect(model_, &QAbstractItemModel::dataChanged, this, &ChannelGrid::PlaceToneLists);
    connect(model_, &QAbstractItemModel::modelReset, this, &ChannelGrid::PlaceToneLists);
}

QComboBox* ChannelGrid::NewToneList(const char* name, int column) {
    auto* list = new PickListBox(viewport());
    list->setObjectName(QString::fromLatin1(name));
    // The grid keeps the focus, so that the arrow keys move on from the cell.
    list->setFocusPolicy(Qt::NoFocus);
    list->hide();
    // Only a choice from the list sets the value; typed characters are discarded.
    ListOnlyKeyFilter::Install(*list);
    connect(list, &QComboBox::activated, this, [this, list, column](int position) {
        const QModelIndex cell = model_->index(currentIndex().row(), column);
        if (cell.isValid() && position >= 0) model_->setData(cell, list->itemText(position));
    });
    return list;
}

void ChannelGrid::SetWordList(int column, const QStringList& words) {
    Delegate().SetList(column, words);
    viewport()->update();
}

QStringList ChannelGrid::ShownList(int column) const {
    return Delegate().ShownList(column);
}

void ChannelGrid::FlushEditor() {
    Delegate().CommitOpenEditor();
}

bool ChannelGrid::OpenList(const QModelIndex& index) {
    QComboBox* toneList = index.column() == col::Sdata    ? DBComboBoxEh1
                          : index.column() == col::Redata ? DBComboBoxEh2
                                                          : nullptr;
    if (!toneList) return EditGrid::OpenList(index);
    // A tone-value list lies over the current cell only, and is disabled on a locked row.
    if (index != currentIndex() || !toneList->isVisible() || !toneList->isEnabled()) return false;
    toneList->showPopup();
    return true;
}

void ChannelGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.row() != previous.row()) {
        // Leaving a row posts its edit; a keyboard move saves the new row's frequencies as a
        // click would.
        if (previous.isValid()) model_->PostPending();
        if (current.isValid()) model_->SaveOldFrequencies(current.row());
    }
    PlaceToneLists();
}

void ChannelGrid::PlaceToneLists() {
    const QModelIndex current = currentIndex();
    const std::array<std::pair<QComboBox*, int>, 2> lists{
        {{DBComboBoxEh1, col::Sdata}, {DBComboBoxEh2, col::Redata}}};
    for (const auto& [list, column] : lists) {
        if (!list) continue;
        if (!current.isValid() || current.column() != column) {
            list->hide();
            continue;
        }
        const int row = current.row();
        const int typeColumn = column == col::Sdata ? col::Ftone : col::Retone;
        const ToneTable table = ToneValueTable(model_->StoredText(row, typeColumn).toStdString());
        QStringList items;
        for (std::string_view text : table) items << QString::fromUtf8(text.data(), text.size());
        const QString value = model_->StoredText(row, column);
        const QSignalBlocker quiet(list);
        if (list->count() != items.size() ||
            (list->count() > 0 && list->itemText(0) != items.front())) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentIndex(int(items.indexOf(value)));
        list->setEnabled(model_->flags(current) & Qt::ItemIsEditable);
        list->setGeometry(visualRect(current));
        list->show();
    }
}

void ChannelGrid::updateGeometries() {
    QTableView::updateGeometries();
    PlaceToneLists();
}

void ChannelGrid::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text == QLatin1String("E") || text == QLatin1String("e")) {
        event->accept();
        return;
    }
    EditGrid::keyPressEvent(event);
}

void ChannelGrid::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void ChannelGrid::ShowMessage(const QString& text) {
    // Shown once the edit has been stored: a message box opened while an editor commits would
    // take its focus and commit it a second time.
    QTimer::singleShot(0, this, [this, text] {
        QMessageBox box(QMessageBox::Information, QTr(txt::MainCaption, language_), text,
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("GridMessage"));
        box.exec();
    });
}

}  // namespace q36::ui
