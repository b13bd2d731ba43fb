#include "query_table_model.h"

namespace q36::ui {

QueryTableModel::QueryTableModel(std::vector<std::string> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

QueryTableModel::~QueryTableModel() {
    if (query_) query_->RemoveChangeListener(listener_);
}

void QueryTableModel::SetQuery(Query* query) {
    beginResetModel();
    if (query_) query_->RemoveChangeListener(listener_);
    query_ = query;
    rows_ = query_ ? query_->RecordCount() : 0;
    if (query_) {
        listener_ = query_->AddChangeListener([this](const QueryChange& c) { Changed(c); });
    }
    endResetModel();
}

void QueryTableModel::SetTitles(const QStringList& titles) {
    titles_ = titles;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void QueryTableModel::Changed(const QueryChange&) {
    const int count = query_->RecordCount();
    if (count != rows_) {
        // Opened, closed or read again: the rows are new.
        beginResetModel();
        rows_ = count;
        endResetModel();
        return;
    }
    if (rows_ == 0) return;
    // A written column can change how its whole row is drawn (the lock rule), a moved row how
    // two rows are; the grids are small enough to redraw every cell.
    Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

QString QueryTableModel::StoredText(int row, int column) const {
    if (!query_ || column < 0 || column >= columnCount()) return {};
    return QString::fromStdString(query_->TextAt(row, ColumnName(column)));
}

bool QueryTableModel::PostPending() {
    if (!query_ || !query_->InEditMode()) return true;
    const StoreResult posted = query_->Post();
    if (!posted.ok()) Tell(QString::fromStdString(posted.detail));
    return posted.ok();
}

int QueryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int QueryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant QueryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    return section < titles_.size() ? titles_[section]
                                    : QString::fromStdString(ColumnName(section));
}

bool QueryTableModel::EditRow(int row) {
    if (!query_ || row < 0 || row >= query_->RecordCount()) return false;
    StoreResult result = StoreResult::Ok();
    // Moving to another row posts the edit of the row left.
    if (query_->RowIndex() != row) result = query_->MoveTo(row);
    if (result.ok()) result = query_->Edit();
    if (!result.ok()) Tell(QString::fromStdString(result.detail));
    return result.ok();
}

bool QueryTableModel::Write(int column, const std::string& text) {
    const StoreResult written = query_->WriteText(ColumnName(column), text);
    if (!written.ok()) Tell(QString::fromStdString(written.detail));
    return written.ok();
}

void QueryTableModel::Tell(const QString& text) const {
    if (sink_) sink_(text);
}

}  // namespace q36::ui
