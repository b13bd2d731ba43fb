#pragma once
// A table model over a store query: one view row per query row, the columns given by name. The
// query stays the source of truth: the model reads every cell from it, and writes go to its
// current row in edit state, so an edit is posted only when the row is left or committed.

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <vector>

#include "store/query.h"

namespace q36::ui {

class QueryTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit QueryTableModel(std::vector<std::string> columns, QObject* parent = nullptr);
    ~QueryTableModel() override;

    // Adapts query, or nothing (no rows); the query must outlive the model or be unset first.
    void SetQuery(Query* query);
    Query* GetQuery() const { return query_; }

    void SetTitles(const QStringList& titles);
    // Where the texts for the user go (a refused value, a post that failed).
    void SetMessageSink(std::function<void(const QString&)> sink) { sink_ = std::move(sink); }

    // The stored text of a cell; the query's current row shows its unposted edit.
    QString StoredText(int row, int column) const;
    const std::string& ColumnName(int column) const { return columns_[std::size_t(column)]; }
    // Posts the query's pending edit; false (and the engine's text told) when the post failed.
    bool PostPending();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  protected:
    // Makes row current and puts it into edit state; false, with the reason told, on failure.
    bool EditRow(int row);
    // Writes a column of the current row; false, with the reason told, when it is refused.
    bool Write(int column, const std::string& text);
    void Tell(const QString& text) const;

  private:
    void Changed(const QueryChange& change);

    std::vector<std::string> columns_;
    QStringList titles_;
    Query* query_ = nullptr;
    int listener_ = 0;
    int rows_ = 0;
    std::function<void(const QString&)> sink_;
};

}  // namespace q36::ui
