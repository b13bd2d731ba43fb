#include "support/store_copy.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

namespace q36::test {

namespace {

sqlite3* RawOpen(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path;
    }
    return db;
}

}  // namespace

StoreCopy::StoreCopy() : path_(folder_.File("Q36DataBase.mdb")) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::copy_file(Q36_DELIVERED_DATABASE, path_, error);
    // The delivered file may be read-only; the copy must be writable.
    if (!error)
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
    ok_ = !error;
    if (!ok_) ADD_FAILURE() << "cannot copy the delivered database: " << error.message();
}

void StoreCopy::Sql(const std::string& sql) const {
    sqlite3* db = RawOpen(path_);
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << (message ? message : "?");
    }
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string StoreCopy::Scalar(const std::string& sql) const {
    sqlite3* db = RawOpen(path_);
    sqlite3_stmt* stmt = nullptr;
    std::string value = "<no row>";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        value = text ? reinterpret_cast<const char*>(text) : "<null>";
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

}  // namespace q36::test
