#include "data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace q36::exchange {

std::string DataFolder() {
    // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/q36cps";
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : ".") + "/.local/share/q36cps";
}

std::string BackupsFolder() {
    return DataFolder() + "/backups";
}

ExchangeStatus MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return ExchangeStatus::Error(ExchangeError::CannotCreate,
                                     DetailWithPath(error.message(), folder));
    }
    if (!std::filesystem::is_directory(folder, error)) {
        return ExchangeStatus::Error(ExchangeError::CannotCreate,
                                     DetailWithPath(SystemErrorText(ENOTDIR), folder));
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
