#pragma once
// A query on a connection: runs a statement, holds its result rows in memory and walks them with
// a current row, which can be edited and posted back to its table row. Holding the rows (the
// statement is stepped to the end and finalized at once) means an open query never keeps a lock
// on the file, so queries on other connections can post at any time.
//
// Posting writes only the changed columns of the current row, with one UPDATE keyed by the
// table's key (CHANNELNO, LIST) or, for the one-row PARAMETABLE, by its rowid. A post that fails
// keeps the row in edit state with its edited values and changes nothing in the file.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "connection.h"
#include "field_value.h"
#include "protocol/store_result.h"
#include "schema.h"

namespace q36 {

// Browse: rows are shown; Edit: the current row has unposted changes or may get them. Insert is
// never entered: the tables hold fixed rows and no operation adds one.
enum class QueryState { Inactive, Browse, Edit, Insert };

// What changed, for the controls bound to a query.
struct QueryChange {
    enum class Kind {
        Row,    // the current row is another one, or the rows were replaced
        Field,  // a column of the current row was written
        State,  // the query entered or left edit state
    };
    Kind kind = Kind::Row;
    std::string column;  // the column written, for Field
};

using ChangeListener = std::function<void(const QueryChange&)>;

// A remembered row; it does not survive a close.
struct Bookmark {
    int row = -1;
    unsigned generation = 0;
};

class Query {
  public:
    explicit Query(Connection& connection) : connection_(connection) {}
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Connection& GetConnection() const { return connection_; }

    // Sets the statement text; a different text closes the query and forgets parameter values.
    void SetSql(std::string sql);
    const std::string& Sql() const { return sql_; }

    // Runs the statement and holds its rows, the first row current. Does nothing when the query
    // is already open.
    StoreResult Open();
    StoreResult Open(std::string sql);
    // Closes and opens again, so that rows posted through other connections are seen.
    StoreResult Reopen();
    // Drops the rows and any unposted edit.
    void Close();

    bool Active() const { return state_ != QueryState::Inactive; }
    QueryState State() const { return state_; }
    // Edit or Insert.
    bool InEditMode() const { return state_ == QueryState::Edit || state_ == QueryState::Insert; }

    // Result columns, in statement order.
    const std::vector<std::string>& FieldNames() const { return names_; }
    // Position of a column by name (ignoring case, as SQL does); -1 when there is none.
    int FieldIndex(std::string_view column) const;
    ColumnKind FieldKind(int index) const { return kinds_[std::size_t(index)]; }

    // The current row's column as text; empty when there is no such column or no current row.
    std::string FieldText(std::string_view column) const;
    // The same for any row, without moving; the current row shows its unposted edits.
    std::string TextAt(int row, std::string_view column) const;
    StoreResult ReadText(std::string_view column, std::string& out) const;
    StoreResult ReadInteger(std::string_view column, int& out) const;
    StoreResult ReadFloat(std::string_view column, double& out) const;

    // Writes a column of the current row in edit state; a Conversion error (the row unchanged)
    // for a text the column's kind cannot hold.
    StoreResult WriteText(std::string_view column, std::string_view text);
    StoreResult WriteInteger(std::string_view column, long long value);

    // A column flagged read-only refuses writes; the flag is kept by name across close and open.
    // The table's key column is always read-only: the rows' keys never change.
    void SetReadOnly(std::string_view column, bool readOnly);
    bool IsReadOnly(std::string_view column) const;

    int RecordCount() const { return int(rows_.size()); }
    // Position of the current row, from 0; -1 without rows.
    int RowIndex() const { return current_; }
    bool IsEmpty() const { return rows_.empty(); }
    // True when Next ran past the last row, or there are no rows.
    bool Eof() const { return eof_; }

    // Moving to another row posts an unposted edit first; if that post fails the query stays
    // where it is and returns the post's error.
    StoreResult First();
    StoreResult Next();
    StoreResult MoveTo(int row);
    // Makes current the first row whose column reads exactly text (case-sensitive, whole value);
    // NotFound, and the position unchanged, when no row does.
    StoreResult Locate(std::string_view column, std::string_view text);
    Bookmark GetBookmark() const { return {current_, generation_}; }
    StoreResult GotoBookmark(const Bookmark& bookmark);

    // Puts the current row into edit state (nothing when it already is).
    StoreResult Edit();
    // Writes the changed columns of the row being edited and returns to browsing; nothing to do
    // when browsing.
    StoreResult Post();
    // Drops the unposted edit.
    void Cancel();

    // Listeners are told of every change while the controls are enabled.
    int AddChangeListener(ChangeListener listener);
    void RemoveChangeListener(int id);
    // Suspends the notices during a bulk walk; the last EnableControls tells the listeners once
    // that the row may have changed.
    void DisableControls() { ++disabledCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disabledCount_ > 0; }

    // Statements with named parameters (":NAME" in the text) and no result rows. Each parameter
    // takes the value given by name (without the colon): text, floating number or integer.
    void SetParam(std::string name, FieldValue value);
    void ClearParams() { params_.clear(); }
    StoreResult ExecSQL();

  private:
    StoreResult ReadRows();
    StoreResult TraceRowsToTable(const std::vector<std::string>& tables,
                                 const std::vector<std::string>& origins);
    StoreResult MatchRowids(const TableDef& table, const std::vector<std::string>& origins);
    StoreResult LeaveRow();
    StoreResult FieldError(StoreErrc code, std::string_view column, std::string_view what) const;
    // The column's position when the query has a current row; WritableCell also needs edit
    // state and a writable column.
    StoreResult CurrentCell(std::string_view column, int& index) const;
    StoreResult WritableCell(std::string_view column, int& index) const;
    // The current row's value at a position, with its unposted edits.
    const FieldValue& Cell(int index) const;
    void Notify(QueryChange::Kind kind, std::string column = {});

    Connection& connection_;
    std::string sql_;
    QueryState state_ = QueryState::Inactive;

    std::vector<std::string> names_;
    std::vector<ColumnKind> kinds_;
    std::vector<std::string> origins_;           // the table column each result column shows
    std::vector<std::vector<FieldValue>> rows_;  // as last read or posted
    std::vector<FieldValue> rowKeys_;            // key value (or rowid) of each row
    std::vector<FieldValue> editRow_;            // the current row while editing
    std::string table_;                          // the table the rows can be posted to
    std::string keyColumn_;                      // its key column; empty: rowid
    std::string notUpdatable_;                   // why the rows cannot be posted, if so
    int current_ = -1;
    bool eof_ = true;
    unsigned generation_ = 0;

    std::map<std::string, bool> readOnly_;  // upper-case column name -> flag
    std::map<std::string, FieldValue> params_;
    std::vector<std::pair<int, ChangeListener>> listeners_;
    int nextListenerId_ = 1;
    int disabledCount_ = 0;
};

}  // namespace q36
