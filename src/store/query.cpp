#include "query.h"

#include <algorithm>

#include "sql_text.h"

namespace q36 {

namespace {

StoreResult NotOpenError() {
    return StoreResult::Error(StoreErrc::NotOpen, "the query is not open");
}

}  // namespace

void Query::SetSql(std::string sql) {
    if (sql == sql_) return;
    Close();
    params_.clear();
    sql_ = std::move(sql);
}

StoreResult Query::Open(std::string sql) {
    SetSql(std::move(sql));
    return Open();
}

StoreResult Query::Reopen() {
    Close();
    return Open();
}

void Query::Close() {
    const bool wasActive = Active();
    state_ = QueryState::Inactive;
    names_.clear();
    kinds_.clear();
    origins_.clear();
    rows_.clear();
    rowKeys_.clear();
    editRow_.clear();
    table_.clear();
    keyColumn_.clear();
    notUpdatable_.clear();
    current_ = -1;
    eof_ = true;
    ++generation_;
    if (wasActive) Notify(QueryChange::Kind::Row);
}

int Query::FieldIndex(std::string_view column) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (SameName(names_[i], column)) return int(i);
    }
    return -1;
}

StoreResult Query::FieldError(StoreErrc code, std::string_view column,
                              std::string_view what) const {
    return StoreResult::Error(code, "Field '" + std::string(column) + "' " + std::string(what));
}

StoreResult Query::CurrentCell(std::string_view column, int& index) const {
    if (!Active()) return NotOpenError();
    index = FieldIndex(column);
    if (index < 0) return FieldError(StoreErrc::NoSuchField, column, "not found");
    if (current_ < 0) return StoreResult::Error(StoreErrc::NoCurrentRow, "the query holds no rows");
    return StoreResult::Ok();
}

const FieldValue& Query::Cell(int index) const {
    const auto& values = InEditMode() ? editRow_ : rows_[std::size_t(current_)];
    return values[std::size_t(index)];
}

StoreResult Query::WritableCell(std::string_view column, int& index) const {
    if (StoreResult found = CurrentCell(column, index); !found.ok()) return found;
    if (!InEditMode()) {
        return FieldError(StoreErrc::NotEditing, column, "cannot be written outside edit state");
    }
    if (IsReadOnly(column))
        return FieldError(StoreErrc::FieldReadOnly, column, "cannot be modified");
    return StoreResult::Ok();
}

std::string Query::FieldText(std::string_view column) const {
    return TextAt(current_, column);
}

std::string Query::TextAt(int row, std::string_view column) const {
    const int index = FieldIndex(column);
    if (index < 0 || row < 0 || row >= RecordCount()) return {};
    const auto& values = row == current_ && InEditMode() ? editRow_ : rows_[std::size_t(row)];
    return FieldValueText(kinds_[std::size_t(index)], values[std::size_t(index)]);
}

StoreResult Query::ReadText(std::string_view column, std::string& out) const {
    int index = -1;
    if (StoreResult found = CurrentCell(column, index); !found.ok()) return found;
    out = FieldValueText(kinds_[std::size_t(index)], Cell(index));
    return StoreResult::Ok();
}

StoreResult Query::ReadInteger(std::string_view column, int& out) const {
    int index = -1;
    if (StoreResult found = CurrentCell(column, index); !found.ok()) return found;
    StoreResult result = FieldValueInteger(Cell(index), out);
    if (!result.ok()) result.detail = std::string(column) + ": " + result.detail;
    return result;
}

StoreResult Query::ReadFloat(std::string_view column, double& out) const {
    int index = -1;
    if (StoreResult found = CurrentCell(column, index); !found.ok()) return found;
    StoreResult result = FieldValueFloat(Cell(index), out);
    if (!result.ok()) result.detail = std::string(column) + ": " + result.detail;
    return result;
}

StoreResult Query::WriteText(std::string_view column, std::string_view text) {
    int index = -1;
    if (StoreResult writable = WritableCell(column, index); !writable.ok()) return writable;
    FieldValue value;
    StoreResult converted = FieldValueFromText(kinds_[std::size_t(index)], text, value);
    if (!converted.ok()) {
        converted.detail = std::string(column) + ": " + converted.detail;
        return converted;
    }
    editRow_[std::size_t(index)] = std::move(value);
    Notify(QueryChange::Kind::Field, names_[std::size_t(index)]);
    return StoreResult::Ok();
}

StoreResult Query::WriteInteger(std::string_view column, long long value) {
    int index = -1;
    if (StoreResult writable = WritableCell(column, index); !writable.ok()) return writable;
    editRow_[std::size_t(index)] = FieldValueFromInteger(kinds_[std::size_t(index)], value);
    Notify(QueryChange::Kind::Field, names_[std::size_t(index)]);
    return StoreResult::Ok();
}

void Query::SetReadOnly(std::string_view column, bool readOnly) {
    readOnly_[UpperName(column)] = readOnly;
}

bool Query::IsReadOnly(std::string_view column) const {
    const int index = FieldIndex(column);
    if (index >= 0 && !keyColumn_.empty() && SameName(origins_[std::size_t(index)], keyColumn_)) {
        return true;
    }
    const auto flag = readOnly_.find(UpperName(column));
    return flag != readOnly_.end() && flag->second;
}

StoreResult Query::LeaveRow() {
    return InEditMode() ? Post() : StoreResult::Ok();
}

StoreResult Query::First() {
    if (!Active()) return NotOpenError();
    if (StoreResult left = LeaveRow(); !left.ok()) return left;
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    Notify(QueryChange::Kind::Row);
    return StoreResult::Ok();
}

StoreResult Query::Next() {
    if (!Active()) return NotOpenError();
    if (StoreResult left = LeaveRow(); !left.ok()) return left;
    if (current_ + 1 >= RecordCount()) {
        eof_ = true;
        return StoreResult::Ok();
    }
    ++current_;
    eof_ = false;
    Notify(QueryChange::Kind::Row);
    return StoreResult::Ok();
}

StoreResult Query::MoveTo(int row) {
    if (!Active()) return NotOpenError();
    if (row < 0 || row >= RecordCount()) {
        return StoreResult::Error(StoreErrc::NoCurrentRow,
                                  "row " + std::to_string(row) + " is not in the query");
    }
    if (StoreResult left = LeaveRow(); !left.ok()) return left;
    current_ = row;
    eof_ = false;
    Notify(QueryChange::Kind::Row);
    return StoreResult::Ok();
}

StoreResult Query::Locate(std::string_view column, std::string_view text) {
    if (!Active()) return NotOpenError();
    const int index = FieldIndex(column);
    if (index < 0) return FieldError(StoreErrc::NoSuchField, column, "not found");
    if (StoreResult left = LeaveRow(); !left.ok()) return left;
    const auto kind = kinds_[std::size_t(index)];
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (FieldValueText(kind, rows_[r][std::size_t(index)]) == text) {
            current_ = int(r);
            eof_ = false;
            Notify(QueryChange::Kind::Row);
            return StoreResult::Ok();
        }
    }
    return StoreResult::Error(StoreErrc::NotFound,
                              "no row with " + std::string(column) + " = " + std::string(text));
}

StoreResult Query::GotoBookmark(const Bookmark& bookmark) {
    if (!Active()) return NotOpenError();
    if (bookmark.generation != generation_ || bookmark.row < 0 || bookmark.row >= RecordCount()) {
        return StoreResult::Error(StoreErrc::NotFound,
                                  "the bookmarked row is no longer in the query");
    }
    return MoveTo(bookmark.row);
}

StoreResult Query::Edit() {
    if (!Active()) return NotOpenError();
    if (InEditMode()) return StoreResult::Ok();
    if (current_ < 0) return StoreResult::Error(StoreErrc::NoCurrentRow, "the query holds no rows");
    if (!notUpdatable_.empty()) return StoreResult::Error(StoreErrc::NotUpdatable, notUpdatable_);
    editRow_ = rows_[std::size_t(current_)];
    state_ = QueryState::Edit;
    Notify(QueryChange::Kind::State);
    return StoreResult::Ok();
}

void Query::Cancel() {
    if (!InEditMode()) return;
    editRow_.clear();
    state_ = QueryState::Browse;
    Notify(QueryChange::Kind::Row);
}

int Query::AddChangeListener(ChangeListener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void Query::RemoveChangeListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Query::EnableControls() {
    if (disabledCount_ == 0) return;
    if (--disabledCount_ == 0) Notify(QueryChange::Kind::Row);
}

void Query::Notify(QueryChange::Kind kind, std::string column) {
    if (disabledCount_ > 0) return;
    const QueryChange change{kind, std::move(column)};
    // A listener may add or remove listeners (or write fields) while it is told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) listener(change);
}

void Query::SetParam(std::string name, FieldValue value) {
    params_[UpperName(name)] = std::move(value);
}

}  // namespace q36
