#pragma once
// What the system tells about a serial device without opening it: whether it is there, whether
// it is a console, whether this user may open it, and which other programs hold it. None of
// these opens the device, so asking disturbs no port and never touches a console.

#include <string>
#include <vector>

namespace q36 {

// The path leads to something (a link that leads nowhere counts as missing).
bool DeviceExists(const std::string& path);

// The device is one the kernel writes its console to, or a virtual console: by its name (after
// following links) among ConsoleNames(sysTtyDir), or by its device number (that of each console
// name under sysTtyDir, 5:1 for /dev/console, 4:0..63 for the virtual consoles).
bool IsConsoleDevice(const std::string& path, const std::string& sysTtyDir = "/sys/class/tty");

// The console devices of devDir that exist, as paths, in ConsoleNames order.
std::vector<std::string> ConsoleDevicesOf(const std::string& devDir, const std::string& sysTtyDir);

// Whether this process may open a device for reading and writing, and what decides it.
struct DeviceAccess {
    bool permitted = false;    // access() grants reading and writing
    int errorNumber = 0;       // why not
    std::string group;         // the device's group ("dialout"), or its number
    bool inGroup = false;      // this process has the device's group
    bool groupListed = false;  // the user is a member of the group (it counts from the next login)
};
DeviceAccess CheckDeviceAccess(const std::string& path);

// A process that holds the device: by an open descriptor, or named in a lock file.
struct PortHolder {
    int pid = 0;
    std::string command;   // its command name (/proc/PID/comm), empty when unknown
    std::string lockFile;  // the lock file that names it, empty when there is none
    bool alive = true;     // false: the lock file names a process that has ended (a stale lock)
};

struct PortHolders {
    std::vector<PortHolder> holders;  // in the order of their process numbers
    int uninspected = 0;              // processes whose descriptors may not be read (other users')
};

// The lock files LCK..NAME in lockDirs and the open descriptors under procDir/*/fd that lead to
// the device. This process is left out, and so are, for a pseudo-terminal, the processes that
// hold its master side: they are the far end of the line (such as a virtual radio, which keeps
// the slave open too), not another program in the way.
PortHolders FindPortHolders(const std::string& path, const std::string& procDir = "/proc",
                            const std::vector<std::string>& lockDirs = {"/var/lock", "/run/lock"});

}  // namespace q36
