#include "serial/port_probe.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace q36 {

namespace {

struct Family {
    std::string_view prefix;
    bool needsHardwareCheck;
};

// ttyS nodes exist for every UART slot the kernel reserves, whether a chip is there or not.
constexpr std::array<Family, 3> kFamilies = {{
    {"ttyUSB", false},
    {"ttyACM", false},
    {"ttyS", true},
}};

// Anything but "no such file" counts as present: a busy or forbidden port is still a port.
bool PathExists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return true;
    return errno != ENOENT && errno != ENOTDIR;
}

bool HasHardware(const std::string& sysTtyDir, const std::string& name) {
    std::ifstream type(sysTtyDir + "/" + name + "/type");
    int portType = 0;  // PORT_UNKNOWN: no UART answered at this slot
    return static_cast<bool>(type >> portType) && portType != 0;
}

// The unit number of a name like ttyUSB12, or -1 when the rest is not all digits.
long UnitOf(std::string_view name, std::string_view prefix) {
    std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 9) return -1;
    long unit = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        unit = unit * 10 + (c - '0');
    }
    return unit;
}

}  // namespace

std::vector<std::string> ConsoleNames(const std::string& sysTtyDir) {
    std::vector<std::string> names = {"console", "tty0"};
    std::ifstream active(sysTtyDir + "/console/active");
    for (std::string name; active >> name;) names.push_back(name);
    return names;
}

std::vector<std::string> ExistingPortsOf(const std::string& pathList) {
    std::vector<std::string> ports;
    size_t start = 0;
    while (start <= pathList.size()) {
        size_t end = pathList.find(':', start);
        if (end == std::string::npos) end = pathList.size();
        std::string path = pathList.substr(start, end - start);
        if (!path.empty() && std::find(ports.begin(), ports.end(), path) == ports.end() &&
            PathExists(path)) {
            ports.push_back(std::move(path));
        }
        start = end + 1;
    }
    return ports;
}

std::vector<std::string> ScanSerialDevices(const std::string& devDir,
                                           const std::string& sysTtyDir) {
    std::vector<std::string> ports;
    std::error_code error;
    std::filesystem::directory_iterator entries(devDir, error);
    if (error) return ports;

    const std::vector<std::string> consoles = ConsoleNames(sysTtyDir);
    std::array<std::vector<std::pair<long, std::string>>, kFamilies.size()> found;
    // An unreadable entry ends the scan with the ports found so far.
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (std::find(consoles.begin(), consoles.end(), name) != consoles.end()) continue;
        for (size_t f = 0; f < kFamilies.size(); ++f) {
            const Family& family = kFamilies[f];
            if (!name.starts_with(family.prefix)) continue;
            const long unit = UnitOf(name, family.prefix);
            if (unit < 0) continue;
            if (family.needsHardwareCheck && !HasHardware(sysTtyDir, name)) continue;
            found[f].emplace_back(unit, name);
        }
    }
    for (auto& family : found) {
        std::sort(family.begin(), family.end());
        for (const auto& [unit, name] : family) ports.push_back(devDir + "/" + name);
    }
    return ports;
}

std::vector<std::string> ProbePorts() {
    try {
        if (const char* list = std::getenv("Q36_PORTS")) return ExistingPortsOf(list);
        return ScanSerialDevices("/dev", "/sys/class/tty");
    } catch (...) {
        return {};  // out of memory; nothing sensible to offer
    }
}

}  // namespace q36
