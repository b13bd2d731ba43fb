#include "scan_form.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "codec/text_checks.h"
#include "edit_grid.h"
#include "grid_cell_delegate.h"
#include "scan_grid_model.h"
#include "store/connection.h"
#include "text/choice_lists.h"
#include "text/text_pairs.h"
#include "ui_text.h"
#include "window_placement.h"
#include "window_texts.h"

namespace q36::ui {

namespace {

constexpr const char* ChannelListSql = "select CHANNELNO,ADDSCAN,ENABLED from CHANNELTABLE";
constexpr int RowHeight = 22;
constexpr int ListWidth = 38;
constexpr int SlotWidth = 45;
const QString NullSlot = QStringLiteral("NULL");

// "CH" and the channel number, two digits.
QString ChannelName(const std::string& channelNo) {
    long long number = 0;
    if (TextToInt(channelNo, number))
        return QStringLiteral("CH%1").arg(number, 2, 10, QLatin1Char('0'));
    return QStringLiteral("CH") +
           QString::fromStdString(channelNo).rightJustified(2, QLatin1Char('0'));
}

}  // namespace

TScanForm::TScanForm(Query& scanQuery, Connection& connection, int language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      language_(language),
      scanQuery_(scanQuery),
      qryChannel_(connection),
      model_(new ScanGridModel(this)) {
    setObjectName(QStringLiteral("TScanForm"));
    setModal(true);
    setWindowTitle(QTr(txt::ScanEditorCaption, language_));
    setFixedSize(783, 205);
    scanArr_.resize(SCAN_LIST_COUNT);

    auto* grid = new EditGrid(this);
    delegate_ = &grid->Delegate();
    DBGridEh = grid;
    DBGridEh->setObjectName(QStringLiteral("DBGridEh"));
    DBGridEh->setModel(model_);
    DBGridEh->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGridEh->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGridEh->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEh->setEditTriggers(QAbstractItemView::CurrentChanged |
                              QAbstractItemView::SelectedClicked |
                              QAbstractItemView::DoubleClicked);
    DBGridEh->setContextMenuPolicy(Qt::PreventContextMenu);
    DBGridEh->verticalHeader()->hide();
    DBGridEh->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGridEh->verticalHeader()->setMinimumSectionSize(RowHeight);
    DBGridEh->verticalHeader()->setDefaultSectionSize(RowHeight);
    DBGridEh->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGridEh->horizontalHeader()->setSectionsClickable(false);
    DBGridEh->horizontalHeader()->setMinimumSectionSize(20);
    DBGridEh->setColumnWidth(0, ListWidth);
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) DBGridEh->setColumnWidth(s, SlotWidth);
    const int frame = 2 * DBGridEh->frameWidth();
    DBGridEh->setGeometry(
        (width() - ListWidth - SCAN_SLOT_COUNT * SlotWidth - frame) / 2, 10,
        ListWidth + SCAN_SLOT_COUNT * SlotWidth + frame,
        SCAN_LIST_COUNT * RowHeight + DBGridEh->horizontalHeader()->sizeHint().height() + frame);
    DBGridEh->installEventFilter(this);
    model_->SetMessageSink([this](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QTr(wtxt::NoCaption, language_), text,
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("ScanMessage"));
        box.exec();
    });
    model_->SetQuery(&scanQuery_);

    Button1 = new QPushButton(QTr(txt::ButtonOk, language_), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QTr(txt::ButtonCancel, language_), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1->setGeometry(width() - 190, height() - 40, 80, 26);
    Button2->setGeometry(width() - 100, height() - 40, 80, 26);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TScanForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TScanForm::Button2Click);
    // Leaving a row posts its edit.
    connect(DBGridEh->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { model_->PostPending(); });
}

TScanForm::~TScanForm() {
    model_->SetQuery(nullptr);
}

QStringList TScanForm::SlotPickList() const {
    return delegate_->ShownList(1);
}

void TScanForm::FlushEditor() {
    delegate_->CommitOpenEditor();
}

void TScanForm::RefreshScanEditor() {
    FlushEditor();
    if (channelCommit_) channelCommit_();
    // Posted channel edits are in the file; the channel list is read from it afresh.
    qryChannel_.Close();
    qryChannel_.SetSql(ChannelListSql);
    if (!qryChannel_.Open().ok()) return;
    const std::string marked = ChoiceAt(lists::AddScan, 1, language_);
    const std::string unmarked = ChoiceAt(lists::AddScan, 0, language_);
    QStringList offered{NullSlot};
    QStringList cleared;
    for (int row = 0; row < qryChannel_.RecordCount(); ++row) {
        const std::string addScan = qryChannel_.TextAt(row, "ADDSCAN");
        const QString name = ChannelName(qryChannel_.TextAt(row, "CHANNELNO"));
        if (addScan == marked && qryChannel_.TextAt(row, "ENABLED") == "True") offered << name;
        if (addScan == unmarked) cleared << name;
    }
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) delegate_->SetList(s, offered, {}, true);

    // A slot naming a channel that is no longer scanned is emptied in every list.
    for (int row = 0; row < scanQuery_.RecordCount(); ++row) {
        bool stale = false;
        for (int s = 1; s <= SCAN_SLOT_COUNT && !stale; ++s) {
            stale =
                cleared.contains(QString::fromStdString(scanQuery_.TextAt(row, ScanSlotColumn(s))));
        }
        if (!stale) continue;
        if (!scanQuery_.MoveTo(row).ok() || !scanQuery_.Edit().ok()) return;
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            const std::string column = ScanSlotColumn(s);
            if (cleared.contains(QString::fromStdString(scanQuery_.FieldText(column))) &&
                !scanQuery_.WriteText(column, "NULL").ok()) {
                scanQuery_.Cancel();
                return;
            }
        }
        if (!scanQuery_.Post().ok()) return;
    }
}

void TScanForm::Button1Click() {
    FlushEditor();
    if (!model_->PostPending()) return;
    ScanArr scans(SCAN_LIST_COUNT);
    for (int row = 0; row < SCAN_LIST_COUNT && row < scanQuery_.RecordCount(); ++row) {
        ScanResult& record = scans[std::size_t(row)];
        long long list = 0;
        record.LIST = TextToInt(scanQuery_.TextAt(row, "LIST"), list) ? int(list) : 0;
        for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) {
            record.slots[std::size_t(s - 1)] = scanQuery_.TextAt(row, ScanSlotColumn(s));
        }
    }
    scanArr_ = std::move(scans);
    accept();
}

void TScanForm::Button2Click() {
    reject();
}

void TScanForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

bool TScanForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGridEh && event->type() == QEvent::KeyPress) {
        // A slot is chosen from its list only: typed characters, Enter aside, are dropped.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (DBGridEh->currentIndex().column() >= 1 && !key->text().isEmpty() && !enter &&
            key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
            key->key() != Qt::Key_Escape) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace q36::ui
