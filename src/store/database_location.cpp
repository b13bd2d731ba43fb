#include "database_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "connection.h"
#include "database_copy.h"
#include "schema.h"

namespace q36 {

namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// Copies delivered to copy through a temporary file, so that a copy cut short never stands in
// for the real one; an older copy is kept as copy.old.
std::string RenewCopy(const std::string& delivered, const std::string& copy,
                      const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return ec.message() + " (" + folder + ")";
    const std::string partial = copy + ".new";
    fs::remove(partial, ec);
    if (StoreResult copied = CopyDatabaseFile(delivered, partial, 2000); !copied.ok()) {
        return copied.detail;
    }
    if (fs::exists(copy, ec)) fs::rename(copy, copy + ".old", ec);
    if (!ec) fs::rename(partial, copy, ec);
    if (ec) {
        const std::string reason = ec.message() + " (" + copy + ")";
        fs::remove(partial, ec);
        return reason;
    }
    return {};
}

}  // namespace

DatabaseLocation LocateDatabase(const std::string& programFolder, const std::string& dataFolder) {
    DatabaseLocation location;
    location.path = WithSlash(programFolder) + std::string(DATABASE_FILE_NAME);
    std::error_code ec;
    if (fs::exists(location.path, ec)) return location;
    const std::string delivered =
        (fs::path(WithSlash(programFolder)) / ".." / "share" / "q36cps" / DATABASE_FILE_NAME)
            .lexically_normal()
            .string();
    const fs::file_time_type deliveredTime = fs::last_write_time(delivered, ec);
    if (ec) return location;  // nothing delivered either: the open names the missing file

    location.delivered = delivered;
    location.path = WithSlash(dataFolder) + std::string(DATABASE_FILE_NAME);
    location.source = DatabaseSource::UserCopy;
    const fs::file_time_type copyTime = fs::last_write_time(location.path, ec);
    if (!ec && copyTime >= deliveredTime) return location;
    location.source = DatabaseSource::NewUserCopy;
    location.error = RenewCopy(delivered, location.path, dataFolder);
    return location;
}

std::string UserDataFolder() {
    // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/q36cps";
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : ".") + "/.local/share/q36cps";
}

const DatabaseLocation& ProgramDatabase() {
    static const DatabaseLocation location = LocateDatabase(ProgramDirectory(), UserDataFolder());
    return location;
}

std::string DatabaseLocationText(const DatabaseLocation& location, int language) {
    const TextPair& pair = !location.error.empty() ? texts::DatabaseCopyFailed
                           : location.source == DatabaseSource::BesideProgram
                               ? texts::DatabaseBesideProgram
                               : texts::DatabaseUserCopy;
    std::string text = Fill(Tr(pair, language), "{file}", location.path);
    text = Fill(std::move(text), "{delivered}", location.delivered);
    return Fill(std::move(text), "{reason}", location.error);
}

}  // namespace q36
