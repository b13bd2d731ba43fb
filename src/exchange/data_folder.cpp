#include "data_folder.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "store/database_location.h"

namespace q36::exchange {

std::string DataFolder() {
    return UserDataFolder();
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
