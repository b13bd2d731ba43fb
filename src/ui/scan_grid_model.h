#pragma once
// The scan list editor's model over SCANTABLE: LIST on green and never edited, the sixteen slot
// columns written through the editor's pick list.

#include <QColor>

#include "query_table_model.h"

namespace q36::ui {

inline const QColor ListColumnBackground(192, 220, 192);

class ScanGridModel : public QueryTableModel {
    Q_OBJECT
  public:
    explicit ScanGridModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
};

}  // namespace q36::ui
