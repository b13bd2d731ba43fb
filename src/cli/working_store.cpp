#include "working_store.h"

#include <cstdlib>
#include <filesystem>

#include "store/band_reset.h"

namespace q36::cli {

WorkingStore::~WorkingStore() {
    connection_.Close();
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
}

bool WorkingStore::Create(std::string& error) {
    const std::string delivered = DefaultDatabasePath();
    std::string pattern = (std::filesystem::temp_directory_path() / "q36cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = pattern + ": cannot create a working folder";
        return false;
    }
    folder_ = pattern;
    const std::string copy = folder_ + "/Q36DataBase.mdb";
    std::error_code ec;
    std::filesystem::copy_file(delivered, copy, ec);
    if (ec) {
        error = delivered + ": " + ec.message();
        return false;
    }
    std::filesystem::permissions(copy, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ec);
    if (StoreResult opened = connection_.Open(copy); !opened.ok()) {
        error = opened.text;
        return false;
    }
    if (StoreResult reset = ResetBandDefaults(connection_); !reset.ok()) {
        error = reset.text;
        return false;
    }
    return true;
}

}  // namespace q36::cli
