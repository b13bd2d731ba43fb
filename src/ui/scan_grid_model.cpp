#include "scan_grid_model.h"

#include "codec/scan_block.h"

namespace q36::ui {

namespace {

std::vector<std::string> ScanColumns() {
    std::vector<std::string> columns{"LIST"};
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s) columns.push_back(ScanSlotColumn(s));
    return columns;
}

}  // namespace

ScanGridModel::ScanGridModel(QObject* parent) : QueryTableModel(ScanColumns(), parent) {}

QVariant ScanGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return StoredText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            if (index.column() == 0) return ListColumnBackground;
            return {};
        case Qt::ForegroundRole:
            // The list column's tint is light under any palette.
            if (index.column() == 0) return QColor(Qt::black);
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags ScanGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 || (GetQuery() && GetQuery()->IsReadOnly(ColumnName(index.column()))))
        return flags;
    return flags | Qt::ItemIsEditable;
}

bool ScanGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    if (!EditRow(index.row())) return false;
    return Write(index.column(), value.toString().toStdString());
}

}  // namespace q36::ui
