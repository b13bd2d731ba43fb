// The parts of Query that talk to the engine: reading a statement's rows, tracing them back to
// their table rows, posting an edited row, and running parameterised statements.

#include <sqlite3.h>

#include <cstring>

#include "query.h"
#include "sql_text.h"

namespace q36 {

namespace {

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

FieldValue ColumnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
            return static_cast<long long>(sqlite3_column_int64(stmt, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt, i);
        case SQLITE_NULL:
            return std::monostate{};
        default: {
            const auto* text = static_cast<const char*>(sqlite3_column_blob(stmt, i));
            return std::string(text ? text : "", std::size_t(sqlite3_column_bytes(stmt, i)));
        }
    }
}

int BindValue(sqlite3_stmt* stmt, int index, const FieldValue& value) {
    if (const auto* integer = std::get_if<long long>(&value)) {
        return sqlite3_bind_int64(stmt, index, *integer);
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return sqlite3_bind_double(stmt, index, *number);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return sqlite3_bind_text(stmt, index, text->data(), int(text->size()), SQLITE_TRANSIENT);
    }
    return sqlite3_bind_null(stmt, index);
}

// The kind of a column the store does not know, from the type it was declared with.
ColumnKind KindFromDeclaredType(const char* declared) {
    const std::string type = UpperName(declared ? declared : "");
    if (type.find("BOOL") != std::string::npos) return ColumnKind::Boolean;
    for (const char* real : {"REAL", "FLOA", "DOUB"}) {
        if (type.find(real) != std::string::npos) return ColumnKind::Floating;
    }
    return ColumnKind::Text;
}

bool OnlyBlanksOrSemicolons(const char* text) {
    for (; text != nullptr && *text != '\0'; ++text) {
        if (std::strchr(" \t\r\n;", *text) == nullptr) return false;
    }
    return true;
}

}  // namespace

StoreResult Query::Open() {
    if (Active()) return StoreResult::Ok();
    if (!connection_.IsOpen()) {
        return StoreResult::Error(StoreErrc::NotOpen, "the database is not open");
    }
    // Rows and the rowids they are traced to are read in one transaction, so that they agree.
    const bool ownTransaction = sqlite3_get_autocommit(connection_.Handle()) != 0;
    if (ownTransaction) {
        if (StoreResult begun = connection_.Execute("BEGIN"); !begun.ok()) return begun;
    }
    StoreResult result = ReadRows();
    if (ownTransaction) connection_.Execute(result.ok() ? "COMMIT" : "ROLLBACK");
    if (!result.ok()) {
        Close();
        return result;
    }
    state_ = QueryState::Browse;
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    ++generation_;
    Notify(QueryChange::Kind::Row);
    return StoreResult::Ok();
}

StoreResult Query::ReadRows() {
    sqlite3* db = connection_.Handle();
    Statement statement;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql_.c_str(), -1, &statement.stmt, &tail) != SQLITE_OK) {
        return connection_.EngineError();
    }
    if (statement.stmt == nullptr || sqlite3_column_count(statement.stmt) == 0 ||
        !OnlyBlanksOrSemicolons(tail)) {
        return StoreResult::Error(StoreErrc::Engine,
                                  "the statement is not one query that returns rows: " + sql_);
    }
    const int count = sqlite3_column_count(statement.stmt);
    std::vector<std::string> tables;
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement.stmt, i);
        const char* table = sqlite3_column_table_name(statement.stmt, i);
        const char* origin = sqlite3_column_origin_name(statement.stmt, i);
        names_.emplace_back(name ? name : "");
        tables.emplace_back(table ? table : "");
        origins_.emplace_back(origin ? origin : "");
        const auto known = KnownColumnKind(tables.back(), origins_.back());
        kinds_.push_back(known ? *known
                               : KindFromDeclaredType(sqlite3_column_decltype(statement.stmt, i)));
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
        std::vector<FieldValue> row;
        row.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) row.push_back(ColumnValue(statement.stmt, i));
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) return connection_.EngineError();
    return TraceRowsToTable(tables, origins_);
}

StoreResult Query::TraceRowsToTable(const std::vector<std::string>& tables,
                                    const std::vector<std::string>& origins) {
    const TableDef* table = tables.empty() ? nullptr : FindTableDef(tables.front());
    for (std::size_t i = 0; table != nullptr && i < tables.size(); ++i) {
        if (tables[i] != table->name || origins[i].empty()) table = nullptr;
    }
    if (table == nullptr) {
        notUpdatable_ = "the rows of this query are not all columns of one table of the store";
        return StoreResult::Ok();
    }
    if (table->key.empty()) return MatchRowids(*table, origins);
    for (std::size_t i = 0; i < origins.size(); ++i) {
        if (origins[i] == table->key) {
            table_ = table->name;
            keyColumn_ = table->key;
            for (const auto& row : rows_) rowKeys_.push_back(row[i]);
            return StoreResult::Ok();
        }
    }
    notUpdatable_ = "the query lacks the key column " + std::string(table->key);
    return StoreResult::Ok();
}

StoreResult Query::MatchRowids(const TableDef& table, const std::vector<std::string>& origins) {
    std::string sql = "SELECT rowid";
    for (const auto& origin : origins) sql += ", " + QuoteName(origin);
    sql += " FROM " + QuoteName(table.name);
    Statement statement;
    if (sqlite3_prepare_v2(connection_.Handle(), sql.c_str(), -1, &statement.stmt, nullptr) !=
        SQLITE_OK) {
        return connection_.EngineError();
    }
    std::vector<std::pair<long long, std::vector<FieldValue>>> tableRows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
        std::vector<FieldValue> values;
        for (std::size_t i = 0; i < origins.size(); ++i)
            values.push_back(ColumnValue(statement.stmt, int(i) + 1));
        tableRows.emplace_back(sqlite3_column_int64(statement.stmt, 0), std::move(values));
    }
    if (rc != SQLITE_DONE) return connection_.EngineError();
    // Each result row is the first table row with the same values not yet taken by another.
    std::vector<bool> taken(tableRows.size(), false);
    for (const auto& row : rows_) {
        std::size_t match = 0;
        while (match < tableRows.size() && (taken[match] || tableRows[match].second != row))
            ++match;
        if (match == tableRows.size()) {
            rowKeys_.clear();
            notUpdatable_ =
                "the rows of this query cannot be matched to rows of " + std::string(table.name);
            return StoreResult::Ok();
        }
        taken[match] = true;
        rowKeys_.emplace_back(tableRows[match].first);
    }
    table_ = table.name;
    return StoreResult::Ok();
}

StoreResult Query::Post() {
    if (!InEditMode()) return StoreResult::Ok();
    const auto& original = rows_[std::size_t(current_)];
    std::string assignments;
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < editRow_.size(); ++i) {
        if (editRow_[i] == original[i]) continue;
        assignments += (assignments.empty() ? "" : ", ") + QuoteName(origins_[i]) + " = ?";
        changed.push_back(i);
    }
    if (!changed.empty()) {
        if (!connection_.IsOpen())
            return StoreResult::Error(StoreErrc::NotOpen, "the database is not open");
        const std::string sql =
            "UPDATE " + QuoteName(table_) + " SET " + assignments + " WHERE " +
            (keyColumn_.empty() ? std::string("rowid") : QuoteName(keyColumn_)) + " = ?";
        Statement statement;
        sqlite3* db = connection_.Handle();
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement.stmt, nullptr) != SQLITE_OK) {
            return connection_.EngineError();
        }
        int index = 1;
        for (std::size_t i : changed) BindValue(statement.stmt, index++, editRow_[i]);
        BindValue(statement.stmt, index, rowKeys_[std::size_t(current_)]);
        if (sqlite3_step(statement.stmt) != SQLITE_DONE) return connection_.EngineError();
        if (sqlite3_changes(db) != 1) {
            return StoreResult::Error(
                StoreErrc::RowGone,
                "the row to update is no longer in " + table_ + " (" + connection_.Path() + ")");
        }
        rows_[std::size_t(current_)] = editRow_;
    }
    editRow_.clear();
    state_ = QueryState::Browse;
    Notify(QueryChange::Kind::State);
    return StoreResult::Ok();
}

StoreResult Query::ExecSQL() {
    if (!connection_.IsOpen())
        return StoreResult::Error(StoreErrc::NotOpen, "the database is not open");
    Statement statement;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(connection_.Handle(), sql_.c_str(), -1, &statement.stmt, &tail) !=
        SQLITE_OK) {
        return connection_.EngineError();
    }
    if (statement.stmt == nullptr || !OnlyBlanksOrSemicolons(tail)) {
        return StoreResult::Error(StoreErrc::Engine,
                                  "the text is not exactly one statement: " + sql_);
    }
    std::map<std::string, bool> used;
    for (const auto& [name, value] : params_) used[name] = false;
    const int count = sqlite3_bind_parameter_count(statement.stmt);
    for (int i = 1; i <= count; ++i) {
        const char* raw = sqlite3_bind_parameter_name(statement.stmt, i);
        if (raw == nullptr || raw[0] != ':') {
            return StoreResult::Error(StoreErrc::Engine,
                                      "only :NAME parameters are supported: " + sql_);
        }
        const std::string name = UpperName(raw + 1);
        const auto param = params_.find(name);
        if (param == params_.end()) {
            return StoreResult::Error(
                StoreErrc::Engine, "no value given for parameter '" + std::string(raw + 1) + "'");
        }
        used[name] = true;
        if (BindValue(statement.stmt, i, param->second) != SQLITE_OK)
            return connection_.EngineError();
    }
    for (const auto& [name, isUsed] : used) {
        if (!isUsed)
            return StoreResult::Error(StoreErrc::Engine,
                                      "parameter '" + name + "' not found in: " + sql_);
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) return connection_.EngineError();
    return StoreResult::Ok();
}

}  // namespace q36
