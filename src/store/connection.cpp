#include "connection.h"

#include <sqlite3.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "database_location.h"
#include "schema.h"
#include "sql_text.h"

namespace q36 {

namespace {

// A prepared statement that is finalized when it goes out of scope.
struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

std::string JoinedKeys(const std::vector<std::string>& keys) {
    return keys.empty() ? std::string() : keys.front() + " to " + keys.back();
}

}  // namespace

StoreErrc StoreErrcOf(int resultCode) {
    switch (resultCode & 0xFF) {
        case SQLITE_OK:
            return StoreErrc::Ok;
        case SQLITE_CANTOPEN:
            return StoreErrc::CannotOpen;
        case SQLITE_NOTADB:
            return StoreErrc::NotDatabase;
        case SQLITE_CORRUPT:
            return StoreErrc::Damaged;
        case SQLITE_READONLY:
            return StoreErrc::ReadOnly;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return StoreErrc::Busy;
        default:
            return StoreErrc::Engine;
    }
}

std::string ProgramDirectory() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    const std::string exe(buffer.data(), std::size_t(length));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string DefaultDatabasePath() {
    return ProgramDatabase().path;
}

Connection::~Connection() {
    Close();
}

void Connection::Close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Connection::SetBusyTimeout(int milliseconds) {
    busyTimeoutMs_ = milliseconds;
    if (db_ != nullptr) sqlite3_busy_timeout(db_, milliseconds);
}

StoreResult Connection::EngineError() const {
    if (db_ == nullptr) return EngineError(SQLITE_MISUSE);
    std::string text = sqlite3_errmsg(db_);
    // The engine's text alone ("readonly database") would send the user looking at permissions.
    if (sqlite3_extended_errcode(db_) == SQLITE_READONLY_DBMOVED) {
        text += ": the file was removed or replaced while the program had it open";
    }
    return StoreResult::Error(StoreErrcOf(sqlite3_errcode(db_)), text + " (" + path_ + ")");
}

StoreResult Connection::EngineError(int resultCode) const {
    return StoreResult::Error(StoreErrcOf(resultCode),
                              std::string(sqlite3_errstr(resultCode)) + " (" + path_ + ")");
}

StoreResult Connection::Open() {
    return Open(DefaultDatabasePath());
}

StoreResult Connection::Open(const std::string& path) {
    Close();
    // An absolute path never reads as an SQLite "file:" URI.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    path_ = ec || path.empty() ? path : absolute.string();

    sqlite3* db = nullptr;
    // Without SQLITE_OPEN_CREATE a missing file is an error, never a new empty database.
    const int rc = sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        StoreResult error = StoreResult::Error(
            StoreErrcOf(rc),
            std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + " (" + path_ + ")");
        sqlite3_close_v2(db);
        return error;
    }
    db_ = db;
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
    // The engine falls back to reading only when the file is write-protected; the program has to
    // write (the band reset runs at every start), so that is refused here.
    if (sqlite3_db_readonly(db_, "main") == 1) {
        StoreResult error = EngineError(SQLITE_READONLY);
        Close();
        return error;
    }
    StoreResult checked = CheckTables();
    if (!checked.ok()) Close();
    return checked;
}

StoreResult Connection::CheckTables() {
    for (const TableDef* table : StoreTables()) {
        const std::string name = QuoteName(table->name);
        {
            Statement probe;
            const std::string sql = "SELECT * FROM " + name + " LIMIT 0";
            if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &probe.stmt, nullptr) != SQLITE_OK) {
                StoreResult error = EngineError();
                if (error.code == StoreErrc::Engine) error.code = StoreErrc::MissingTable;
                return error;
            }
        }
        {
            std::string columns;
            for (const ColumnDef& column : table->columns) {
                columns += (columns.empty() ? "" : ", ") + QuoteName(column.name);
            }
            Statement probe;
            const std::string sql = "SELECT " + columns + " FROM " + name + " LIMIT 0";
            if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &probe.stmt, nullptr) != SQLITE_OK) {
                StoreResult error = EngineError();
                if (error.code == StoreErrc::Engine) error.code = StoreErrc::MissingColumn;
                return error;
            }
        }
        // The rows are fixed: the write transfer takes the n-th row as channel n.
        Statement rows;
        const std::string sql = "SELECT " +
                                (table->key.empty() ? std::string("1") : QuoteName(table->key)) +
                                " FROM " + name;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &rows.stmt, nullptr) != SQLITE_OK) {
            return EngineError();
        }
        std::vector<std::string> keys;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(rows.stmt)) == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(rows.stmt, 0);
            keys.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        if (rc != SQLITE_DONE) return EngineError();
        const std::vector<std::string> expected = FixedKeys(*table);
        const bool rowsOk = table->key.empty() ? keys.size() == 1 : keys == expected;
        if (!rowsOk) {
            const std::string what = table->key.empty()
                                         ? std::string("exactly one row")
                                         : "the rows " + std::string(table->key) + " " +
                                               JoinedKeys(expected) + " in order";
            return StoreResult::Error(
                StoreErrc::MissingRows,
                std::string(table->name) + " does not hold " + what + " (" + path_ + ")");
        }
    }
    return StoreResult::Ok();
}

StoreResult Connection::Execute(std::string_view sql) {
    if (db_ == nullptr) return StoreResult::Error(StoreErrc::NotOpen, "the database is not open");
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);  // the connection keeps the same text, with its extended code
    if (rc == SQLITE_OK) return StoreResult::Ok();
    return EngineError();
}

}  // namespace q36
