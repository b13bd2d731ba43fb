#include "backup_files.h"

#include <filesystem>

#include "configuration_sheets.h"
#include "data_folder.h"
#include "workbook_file.h"

namespace q36::exchange {

namespace {

// A name part that cannot leave the folder or confuse a shell: letters, digits, '.', '-'.
std::string SafePart(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                           (c >= 'A' && c <= 'Z') || c == '.' || c == '-';
        safe += plain ? c : '-';
    }
    return safe.empty() ? "unknown" : safe;
}

}  // namespace

std::string BackupBaseName(std::time_t when, const std::string& band, const std::string& firmware) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
    return std::string(stamp) + "_" + SafePart(band) + "_fw" + SafePart(firmware);
}

Result<BackupFiles, ExchangeError> SaveBackup(const std::string& folder, const RadioImage& image,
                                              const Configuration& configuration,
                                              const RunSettings& settings,
                                              const std::string& firmware, std::time_t when) {
    if (ExchangeStatus made = MakeFolders(folder); !made.ok()) return made;
    const std::string base = folder + "/" + BackupBaseName(when, settings.BandText, firmware);
    BackupFiles files;
    for (int n = 1;; ++n) {
        const std::string name = n == 1 ? base : base + "_" + std::to_string(n);
        files = {name + ".xlsx", name + ".img"};
        std::error_code error;
        if (!std::filesystem::exists(files.workbook, error) &&
            !std::filesystem::exists(files.image, error))
            break;
    }
    const ExchangeStatus saved =
        SaveWorkbookFile(BuildConfigurationWorkbook(configuration, settings.LanguageIndex),
                         files.workbook, settings.LanguageIndex);
    if (!saved.ok()) return saved;
    std::string why;
    if (!SaveImageFile(files.image, image, &why))
        return ExchangeStatus::Error(ExchangeError::WriteFailed, why);
    return files;
}

}  // namespace q36::exchange
