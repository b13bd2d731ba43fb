#include "database_copy.h"

#include <sqlite3.h>
#include <unistd.h>

#include "connection.h"

namespace q36 {

namespace {

StoreResult ErrorOf(sqlite3* db, int resultCode, const std::string& path) {
    const std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
    return StoreResult::Error(StoreErrcOf(resultCode), text + " (" + path + ")");
}

}  // namespace

StoreResult CopyDatabaseFile(const std::string& from, const std::string& to, int busyTimeoutMs) {
    // Opened for reading only: without SQLITE_OPEN_CREATE a missing file is an error, not a new
    // empty database, and the source is never changed.
    sqlite3* source = nullptr;
    int rc = sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        StoreResult error = ErrorOf(source, rc, from);
        sqlite3_close_v2(source);
        return error;
    }
    sqlite3_busy_timeout(source, busyTimeoutMs);

    sqlite3* target = nullptr;
    rc = sqlite3_open_v2(to.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    StoreResult result;
    if (rc != SQLITE_OK) {
        result = ErrorOf(target, rc, to);
    } else if (sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main")) {
        // One step copies every page under one read lock of the source; a lock the source's
        // writer holds is waited out by its busy handler.
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) {
            result = StoreResult::Error(StoreErrcOf(rc),
                                        std::string(sqlite3_errstr(rc)) + " (" + from + ")");
        }
    } else {
        result = ErrorOf(target, sqlite3_errcode(target), to);
    }
    sqlite3_close_v2(target);
    sqlite3_close_v2(source);
    if (!result.ok()) {
        ::unlink(to.c_str());
        ::unlink((to + "-journal").c_str());
    }
    return result;
}

}  // namespace q36
