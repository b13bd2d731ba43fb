#pragma once
// Finds the serial ports a user can choose from. Port names are device paths.

#include <string>
#include <vector>

namespace q36 {

// The ports to offer, first one preselected: the paths of Q36_PORTS (colon-separated) when it
// is set, otherwise the serial devices of this computer. A port that exists is listed even when
// it is busy or not permitted; a missing one is skipped. Never opens a device, so probing
// disturbs no port (opening raises DTR, and may be the system console). Never throws.
std::vector<std::string> ProbePorts();

// The port dialog's list; the same probe.
inline std::vector<std::string> ListDialogPorts() {
    return ProbePorts();
}

// The existing paths of a colon-separated list, in its order, without empty entries or repeats.
std::vector<std::string> ExistingPortsOf(const std::string& pathList);

// Serial devices under devDir in a stable order: ttyUSB*, ttyACM*, then those ttyS* that the
// serial core reports real hardware behind (a non-zero "type" under sysTtyDir/<name>/), each
// family in numeric order. The kernel's console devices (sysTtyDir/console/active) are left out.
std::vector<std::string> ScanSerialDevices(const std::string& devDir, const std::string& sysTtyDir);

// The names under /dev of the devices the kernel writes its console to ("console", "tty0" and
// those of sysTtyDir/console/active, such as ttyS0). A program that took one of them would put
// it in raw mode and read what the console's user types.
std::vector<std::string> ConsoleNames(const std::string& sysTtyDir);

}  // namespace q36
