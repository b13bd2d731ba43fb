#pragma once
// A connection to the configuration store: the SQLite file Q36DataBase.mdb that lies beside the
// program. The file is only ever opened, never created; opening checks that it holds the three
// tables with their columns and fixed rows. Each window of the program owns a connection of its
// own, all on the user-interface thread.
//
// The file stays in SQLite's default rollback-journal mode: queries read their rows to the end
// and release the file at once, so a connection holds a lock only while one statement runs, and
// the busy timeout waits out another connection's short write. Write-ahead logging would add two
// side files beside the program and gain nothing for this one-thread access.

#include <string>
#include <string_view>

#include "protocol/store_result.h"

struct sqlite3;

namespace q36 {

class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the store in the program's own folder.
    StoreResult Open();
    // Opens the store at an explicit path (tests, the command-line tool). Refuses a missing file,
    // a file that is not an SQLite database, a read-only file, a store that lacks a table, a
    // column or one of its fixed rows, and a file locked beyond the busy timeout; the error's text
    // is the engine's message followed by the path.
    StoreResult Open(const std::string& path);
    void Close();

    bool IsOpen() const { return db_ != nullptr; }
    const std::string& Path() const { return path_; }

    // How long a statement waits for another connection's lock before it fails; applies now and
    // to later opens.
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return busyTimeoutMs_; }

    // Runs statements without parameters or results (transactions, pragmas).
    StoreResult Execute(std::string_view sql);

    // The engine's handle, for operations the store does not wrap; nullptr when closed.
    sqlite3* Handle() const { return db_; }

    // A result for the engine's last error on this connection: its message and the path.
    StoreResult EngineError() const;
    // The same for an engine result code, when no connection message applies.
    StoreResult EngineError(int resultCode) const;

  private:
    StoreResult CheckTables();

    sqlite3* db_ = nullptr;
    std::string path_;
    int busyTimeoutMs_ = 2000;
};

// The folder of the running program, ending with '/'; empty when it cannot be determined.
std::string ProgramDirectory();

// The store's path: beside the program, or an installed program's copy in the user's data
// folder (see database_location.h).
std::string DefaultDatabasePath();

// Maps an engine result code to the store's error code.
StoreErrc StoreErrcOf(int resultCode);

}  // namespace q36
