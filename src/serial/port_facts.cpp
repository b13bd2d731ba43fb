#include "serial/port_facts.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "serial/port_probe.h"

namespace q36 {

namespace {

namespace fs = std::filesystem;

// The pseudo-terminal multiplexer, /dev/ptmx and /dev/pts/ptmx alike: a descriptor of it is the
// master side of one pseudo-terminal.
constexpr unsigned kPtyMajor = 5;
constexpr unsigned kPtmxMinor = 2;
constexpr unsigned kConsoleMinor = 1;
constexpr unsigned kVirtualConsoleMajor = 4;
constexpr unsigned kVirtualConsoleCount = 64;

bool CharDevice(const std::string& path, dev_t& device) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    device = info.st_rdev;
    return true;
}

std::string Canonical(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::canonical(path, error);
    return error ? path : canonical.string();
}

// The "major:minor" the kernel gives for a tty name.
bool SysDevice(const std::string& sysTtyDir, const std::string& name, dev_t& device) {
    std::ifstream in(sysTtyDir + "/" + name + "/dev");
    unsigned major = 0;
    unsigned minor = 0;
    char colon = 0;
    if (!(in >> major >> colon >> minor) || colon != ':') return false;
    device = makedev(major, minor);
    return true;
}

// The pty number of /dev/pts/N, or -1.
long PtyNumber(const std::string& canonical) {
    const std::string prefix = "/dev/pts/";
    if (!canonical.starts_with(prefix)) return -1;
    const std::string digits = canonical.substr(prefix.size());
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stol(digits);
}

// The pty a master descriptor serves, from its fdinfo ("tty-index:  3"), or -1.
long MasterIndex(const std::string& fdinfo) {
    std::ifstream in(fdinfo);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("tty-index:")) continue;
        std::istringstream value(line.substr(10));
        long index = -1;
        return (value >> index) ? index : -1;
    }
    return -1;
}

std::string CommandOf(const std::string& procDir, int pid) {
    std::ifstream in(procDir + "/" + std::to_string(pid) + "/comm");
    std::string command;
    std::getline(in, command);
    return command;
}

bool ProcessAlive(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The process a lock file names: ten ASCII digits in the usual form, a binary int in the old one.
int LockFilePid(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    std::istringstream text(content);
    long pid = 0;
    if (text >> pid && pid > 0 && pid < (1L << 22)) return int(pid);
    if (content.size() == sizeof(int)) {
        int binary = 0;
        std::copy(content.begin(), content.end(), reinterpret_cast<char*>(&binary));
        if (binary > 0) return binary;
    }
    return 0;
}

// The names lock files use for a device: its own name, and for a device in a subfolder of /dev
// the path below /dev with "_" for "/" (as lockdev writes it).
std::set<std::string> LockNames(const std::string& path) {
    std::set<std::string> names;
    for (const std::string& p : {path, Canonical(path)}) {
        names.insert("LCK.." + fs::path(p).filename().string());
        if (p.starts_with("/dev/")) {
            std::string below = p.substr(5);
            std::replace(below.begin(), below.end(), '/', '_');
            names.insert("LCK.." + below);
        }
    }
    return names;
}

}  // namespace

bool DeviceExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool IsConsoleDevice(const std::string& path, const std::string& sysTtyDir) {
    const std::vector<std::string> names = ConsoleNames(sysTtyDir);
    const std::string name = fs::path(Canonical(path)).filename().string();
    if (std::find(names.begin(), names.end(), name) != names.end()) return true;
    dev_t device{};
    if (!CharDevice(path, device)) return false;
    if (major(device) == kVirtualConsoleMajor && minor(device) < kVirtualConsoleCount) return true;
    if (major(device) == kPtyMajor && minor(device) == kConsoleMinor) return true;
    return std::any_of(names.begin(), names.end(), [&](const std::string& consoleName) {
        dev_t console{};
        return SysDevice(sysTtyDir, consoleName, console) && console == device;
    });
}

std::vector<std::string> ConsoleDevicesOf(const std::string& devDir, const std::string& sysTtyDir) {
    std::vector<std::string> devices;
    for (const std::string& name : ConsoleNames(sysTtyDir)) {
        const std::string path = devDir + "/" + name;
        if (DeviceExists(path) && std::find(devices.begin(), devices.end(), path) == devices.end())
            devices.push_back(path);
    }
    return devices;
}

DeviceAccess CheckDeviceAccess(const std::string& path) {
    DeviceAccess access;
    access.permitted = ::access(path.c_str(), R_OK | W_OK) == 0;
    if (!access.permitted) access.errorNumber = errno;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return access;
    const group* owner = ::getgrgid(info.st_gid);
    access.group = owner ? owner->gr_name : std::to_string(info.st_gid);
    std::vector<gid_t> groups(std::max(0, ::getgroups(0, nullptr)));
    groups.resize(std::max(0, ::getgroups(int(groups.size()), groups.data())));
    access.inGroup = ::getegid() == info.st_gid ||
                     std::find(groups.begin(), groups.end(), info.st_gid) != groups.end();
    const passwd* user = ::getpwuid(::getuid());
    if (user && owner) {
        access.groupListed = user->pw_gid == info.st_gid;
        for (char** member = owner->gr_mem; member && *member; ++member)
            access.groupListed = access.groupListed || std::string(*member) == user->pw_name;
    }
    return access;
}

PortHolders FindPortHolders(const std::string& path, const std::string& procDir,
                            const std::vector<std::string>& lockDirs) {
    PortHolders found;
    std::map<int, PortHolder> byPid;
    dev_t device{};
    const bool isDevice = CharDevice(path, device);
    const long ptyNumber = PtyNumber(Canonical(path));
    const int self = int(::getpid());

    std::set<int> farEnds;
    std::error_code error;
    fs::directory_iterator processes(procDir, error);
    for (; !error && processes != fs::directory_iterator(); processes.increment(error)) {
        const std::string name = processes->path().filename().string();
        if (name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const int pid = std::stoi(name);
        if (pid == self || !isDevice) continue;
        std::error_code fdError;
        fs::directory_iterator fds(processes->path() / "fd", fdError);
        if (fdError) {
            // A process that ended meanwhile is no holder; one of another user cannot be seen.
            if (fdError.value() == EACCES || fdError.value() == EPERM) ++found.uninspected;
            continue;
        }
        bool holds = false;
        for (; !fdError && fds != fs::directory_iterator(); fds.increment(fdError)) {
            dev_t target{};
            if (!CharDevice(fds->path().string(), target)) continue;
            if (target == device) holds = true;
            if (ptyNumber >= 0 && major(target) == kPtyMajor && minor(target) == kPtmxMinor &&
                MasterIndex((processes->path() / "fdinfo" / fds->path().filename()).string()) ==
                    ptyNumber)
                farEnds.insert(pid);
        }
        if (holds) byPid[pid] = PortHolder{pid, CommandOf(procDir, pid), {}, true};
    }
    for (int pid : farEnds) byPid.erase(pid);

    std::set<std::string> seenDirs;
    const std::set<std::string> lockNames = LockNames(path);
    for (const std::string& dir : lockDirs) {
        if (!seenDirs.insert(Canonical(dir)).second) continue;
        for (const std::string& lockName : lockNames) {
            const std::string lockFile = dir + "/" + lockName;
            if (!DeviceExists(lockFile)) continue;
            const int pid = LockFilePid(lockFile);
            if (pid == self || farEnds.count(pid)) continue;
            // An unreadable lock file names no process (pid 0), which counts as stale.
            auto [entry, added] = byPid.try_emplace(pid);
            if (added)
                entry->second = {pid, pid ? CommandOf(procDir, pid) : "", {}, ProcessAlive(pid)};
            entry->second.lockFile = lockFile;
        }
    }
    for (auto& [pid, holder] : byPid) found.holders.push_back(holder);
    return found;
}

}  // namespace q36
