#include "working_store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "store/band_reset.h"
#include "store/database_copy.h"

namespace q36::cli {

WorkingStore::~WorkingStore() {
    connection_.Close();
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
}

bool WorkingStore::Create(const RunSettings& settings, std::string& error) {
    const std::string delivered = DefaultDatabasePath();
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) temp = "/tmp";  // TMPDIR names no folder
    std::string pattern = (temp / "q36cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = pattern + ": cannot create a working folder: " + std::strerror(errno);
        return false;
    }
    folder_ = pattern;
    const std::string copy = folder_ + "/Q36DataBase.mdb";
    // Through the engine rather than byte by byte: the desktop program may be writing the file.
    if (StoreResult copied = CopyDatabaseFile(delivered, copy, connection_.BusyTimeout());
        !copied.ok()) {
        error = copied.detail;
        return false;
    }
    if (StoreResult opened = connection_.Open(copy); !opened.ok()) {
        error = delivered + ": " + opened.detail;
        return false;
    }
    // The copy is removed when the tool ends, so waiting for the disk after every stored block
    // protects nothing; a transaction still rolls back as before.
    if (StoreResult fast = connection_.Execute("PRAGMA synchronous=OFF"); !fast.ok()) {
        error = fast.detail;
        return false;
    }
    if (StoreResult reset = ResetBandDefaults(connection_, settings); !reset.ok()) {
        error = reset.detail;
        return false;
    }
    return true;
}

}  // namespace q36::cli
