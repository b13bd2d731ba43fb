#include "data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace q36::exchange {

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    // A service started without HOME still has an entry in the password database.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

}  // namespace

std::string DataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string base =
        data && data[0] == '/' ? std::string(data) : HomeFolder() + "/.local/share";
    return base + "/q36cps";
}

std::string BackupsFolder() {
    return DataFolder() + "/backups";
}

}  // namespace q36::exchange
