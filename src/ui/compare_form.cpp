#include "compare_form.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "codec/change_words.h"
#include "codec/channel_fields.h"
#include "codec/comparable_form.h"
#include "compare_texts.h"
#include "exchange/data_folder.h"
#include "exchange/import_workbook.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "workbook_file_chooser.h"

namespace q36::ui {

namespace {

// The colour of a changed cell: clearly visible, and dark text stays readable on it.
const QColor kChanged(255, 205, 90);

// The light mark keeps dark text under a dark palette too.
void MarkChanged(QTableWidgetItem& item) {
    item.setBackground(kChanged);
    item.setForeground(QColor(Qt::black));
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString Number(int n) {
    return QString::number(n);
}

}  // namespace

TCompareForm::TCompareForm(const RunSettings& settings, std::function<bool(Configuration&)> current,
                           std::function<WorkbookFileChooser&()> chooser, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      current_(std::move(current)),
      chooser_(std::move(chooser)) {
    setObjectName(QStringLiteral("CompareForm"));
    const int language = settings_.LanguageIndex;
    setWindowTitle(QTr(ctxt::CompareCaption, language));

    auto* withLabel = new QLabel(QTr(ctxt::CompareWith, language), this);
    workbookButton_ = new QPushButton(QTr(ctxt::AgainstWorkbook, language), this);
    workbookButton_->setObjectName(QStringLiteral("CompareWorkbookBut"));
    backupButton_ = new QPushButton(QTr(ctxt::AgainstBackup, language), this);
    backupButton_->setObjectName(QStringLiteral("CompareBackupBut"));
    backupList_ = new QComboBox(this);
    backupList_->setObjectName(QStringLiteral("BackupList"));
    backupList_->setMinimumContentsLength(34);
    radioButton_ = new QPushButton(QTr(ctxt::AgainstRadio, language), this);
    radioButton_->setObjectName(QStringLiteral("CompareRadioBut"));
    connect(workbookButton_, &QPushButton::clicked, this, &TCompareForm::CompareWithWorkbook);
    connect(backupButton_, &QPushButton::clicked, this, &TCompareForm::CompareWithBackup);
    connect(radioButton_, &QPushButton::clicked, this, &TCompareForm::RadioRequested);

    againstLabel_ = new QLabel(QTr(ctxt::NothingChosen, language), this);
    againstLabel_->setObjectName(QStringLiteral("AgainstLabel"));
    QFont bold = againstLabel_->font();
    bold.setBold(true);
    againstLabel_->setFont(bold);
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("CountLabel"));

    changeTable_ = new QTableWidget(0, 4, this);
    changeTable_->setObjectName(QStringLiteral("ChangeTable"));
    changeTable_->setHorizontalHeaderLabels(
        {QTr(ctxt::PlaceTitle, language), QTr(ctxt::ColumnTitle, language),
         QTr(ctxt::HereTitle, language), QTr(ctxt::ThereTitle, language)});
    changeTable_->horizontalHeader()->setStretchLastSection(true);
    changeTable_->verticalHeader()->hide();
    changeTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    changeTable_->setColumnWidth(0, 110);
    changeTable_->setColumnWidth(1, 170);
    changeTable_->setColumnWidth(2, 200);

    gridLabel_ = new QLabel(QTr(ctxt::GridTab, language), this);
    channelGrid_ = new QTableWidget(CHANNEL_COUNT, CHANNEL_COLUMN_COUNT - 1, this);
    channelGrid_->setObjectName(QStringLiteral("ChangedGrid"));
    QStringList titles;
    for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k)
        titles << QString::fromStdString(ChoiceAt(lists::ColumnTitleTable, k, language));
    channelGrid_->setHorizontalHeaderLabels(titles);
    QStringList rows;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) rows << QString::fromStdString(ChannelKey(n));
    channelGrid_->setVerticalHeaderLabels(rows);
    channelGrid_->verticalHeader()->setDefaultSectionSize(18);
    channelGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // All 24 channels in view, as on the main window's grid.
    channelGrid_->setMinimumHeight(CHANNEL_COUNT * 18 +
                                   channelGrid_->horizontalHeader()->sizeHint().height() +
                                   2 * channelGrid_->frameWidth());
    channelGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* close = new QPushButton(QTr(ctxt::CloseButton, language), this);
    close->setObjectName(QStringLiteral("CompareCloseBut"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* sources = new QHBoxLayout;
    sources->addWidget(withLabel);
    sources->addWidget(workbookButton_);
    sources->addSpacing(12);
    sources->addWidget(backupButton_);
    sources->addWidget(backupList_, 1);
    sources->addSpacing(12);
    sources->addWidget(radioButton_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(againstLabel_);
    layout->addWidget(countLabel_);
    layout->addWidget(changeTable_, 1);
    layout->addWidget(gridLabel_);
    layout->addWidget(channelGrid_);
    layout->addLayout(bottom);
    resize(960, 820);
    RefreshBackups();
}

void TCompareForm::RefreshBackups() {
    const int language = settings_.LanguageIndex;
    backupList_->clear();
    const QDir folder(QFile::decodeName(exchange::BackupsFolder().c_str()));
    // The names begin with the date and time, so the newest sorts last by name.
    QStringList names = folder.entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    std::reverse(names.begin(), names.end());
    for (const QString& name : names) backupList_->addItem(name, folder.absoluteFilePath(name));
    if (names.isEmpty()) backupList_->setPlaceholderText(QTr(ctxt::NoBackups, language));
    backupList_->setEnabled(!names.isEmpty());
    backupButton_->setEnabled(!names.isEmpty());
}

void TCompareForm::CompareWithWorkbook() {
    const QString path = chooser_().OpenFileName(this);
    if (path.isEmpty()) return;
    Configuration other;
    if (ReadWorkbook(path, other)) ShowAgainst(other, QFileInfo(path).fileName());
}

void TCompareForm::CompareWithBackup() {
    const QString path = backupList_->currentData().toString();
    if (path.isEmpty()) return;
    Configuration other;
    if (ReadWorkbook(path, other)) ShowAgainst(other, backupList_->currentText());
}

bool TCompareForm::ReadWorkbook(const QString& path, Configuration& other) {
    // The workbook's records go over the current data, as Open would put them.
    if (!current_(other)) return false;
    exchange::ImportRules rules;
    rules.bandLowMHz = settings_.BandLowMHz;
    rules.bandHighMHz = settings_.BandHighMHz;
    rules.languages = exchange::WorkbookLanguages::Either;
    rules.language = settings_.LanguageIndex;
    const exchange::ExchangeOutcome outcome =
        exchange::ReadCheckedWorkbook(FilePath(path), rules, other);
    if (outcome.Succeeded()) return true;
    const int language = settings_.LanguageIndex;
    for (const exchange::ExchangeMessage& message : outcome.messages) {
        QMessageBox box(QMessageBox::Warning, QTr(txt::MainCaption, language),
                        message.text ? QTr(*message.text, language) : QString(), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("CompareMessage"));
        if (!message.detail.empty()) box.setInformativeText(ShownText(message.detail));
        box.exec();
    }
    return false;
}

void TCompareForm::ShowAgainst(const Configuration& other, const QString& otherName) {
    Configuration current;
    if (!current_(current)) return;
    const int language = settings_.LanguageIndex;
    changes_ = DiffComparable(current, other, language);
    againstLabel_->setText(
        QTr(ctxt::ComparingWith, language).replace(QStringLiteral("{other}"), otherName));
    changeTable_->horizontalHeaderItem(3)->setText(otherName);
    if (changes_.empty()) {
        countLabel_->setText(QTr(ctxt::NoDifference, language));
    } else {
        const ChangeCounts counts = CountChanges(changes_);
        countLabel_->setText(QTr(ctxt::DifferenceCount, language)
                                 .replace(QStringLiteral("{n}"), Number(int(changes_.size())))
                                 .replace(QStringLiteral("{channels}"), Number(counts.channels))
                                 .replace(QStringLiteral("{common}"), Number(counts.commonValues))
                                 .replace(QStringLiteral("{lists}"), Number(counts.scanLists)));
    }
    FillList();
    FillGrid(other);
    show();
    raise();
}

void TCompareForm::FillList() {
    const int language = settings_.LanguageIndex;
    changeTable_->setRowCount(int(changes_.size()));
    for (int r = 0; r < int(changes_.size()); ++r) {
        const FieldChange& change = changes_[std::size_t(r)];
        const QString texts[] = {QString::fromStdString(ChangePlace(change, language)),
                                 QString::fromStdString(ChangeColumn(change, language)),
                                 QString::fromStdString(ChangeValue(change.before, language)),
                                 QString::fromStdString(ChangeValue(change.after, language))};
        for (int c = 0; c < 4; ++c) {
            QTableWidgetItem* item = Cell(texts[c]);
            if (c == 3) MarkChanged(*item);
            changeTable_->setItem(r, c, item);
        }
    }
}

void TCompareForm::FillGrid(const Configuration& other) {
    const int language = settings_.LanguageIndex;
    const Configuration shown = ComparableForm(other, language);
    std::map<std::pair<int, std::string>, std::string> changed;
    for (const FieldChange& change : changes_) {
        if (change.part == FieldChange::Part::Channel)
            changed[{change.number, change.column}] = change.before;
    }
    for (int row = 0; row < CHANNEL_COUNT; ++row) {
        const ChannelResult* channel =
            row < int(shown.channels.size()) ? &shown.channels[std::size_t(row)] : nullptr;
        for (int k = 1; k < CHANNEL_COLUMN_COUNT; ++k) {
            QTableWidgetItem* item =
                Cell(channel ? QString::fromStdString(ChannelFieldText(*channel, k)) : QString());
            const auto found = changed.find({row + 1, std::string(ChannelColumns[std::size_t(k)])});
            if (found != changed.end()) {
                MarkChanged(*item);
                // What the current data holds, where the mouse rests.
                item->setToolTip(QTr(ctxt::HereTitle, language) + QStringLiteral(": ") +
                                 QString::fromStdString(ChangeValue(found->second, language)));
            }
            channelGrid_->setItem(row, k - 1, item);
        }
    }
}

}  // namespace q36::ui
