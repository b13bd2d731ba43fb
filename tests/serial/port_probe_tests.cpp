#include "serial/port_probe.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "comm_fixture.h"
#include "serial/port_facts.h"

namespace q36::test {
namespace {

TEST(PortProbe, PortsVariableListsExistingPathsInItsOrderBusyOnesIncluded) {
    PtyPair free;
    PtyPair held;
    LoggedComm c;
    c.comm.SetCommName(held.SlavePath());
    c.comm.OpenPort();
    const std::string list =
        held.SlavePath() + ":/dev/q36-missing::" + free.SlavePath() + ":" + held.SlavePath() + ":";
    EXPECT_EQ(ExistingPortsOf(list),
              std::vector<std::string>({held.SlavePath(), free.SlavePath()}));

    ::setenv("Q36_PORTS", list.c_str(), 1);
    EXPECT_EQ(ProbePorts(), ExistingPortsOf(list));
    EXPECT_EQ(ListDialogPorts(), ExistingPortsOf(list));
    ::setenv("Q36_PORTS", "", 1);  // set but empty: no ports at all, no scan
    EXPECT_TRUE(ProbePorts().empty());
    ::unsetenv("Q36_PORTS");
}

TEST(PortProbe, ScanListsSerialFamiliesInNumericOrderAndOnlyUartsWithHardware) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(::testing::TempDir()) / "q36_probe";
    fs::remove_all(root);
    fs::create_directories(root / "dev");
    for (const char* name : {"ttyS1", "ttyUSB10", "ttyACM0", "ttyS0", "ttyUSB2", "ttyS2", "tty0",
                             "ttyUSBx", "ttyS3"}) {
        std::ofstream(root / "dev" / name);
    }
    // ttyS1 is a reserved slot with no chip (type 0); ttyS3 has no sysfs entry at all.
    for (const auto& [name, type] : {std::pair{"ttyS0", 4}, {"ttyS1", 0}, {"ttyS2", 4}}) {
        fs::create_directories(root / "sys" / name);
        std::ofstream(root / "sys" / name / "type") << type << "\n";
    }
    const std::string dev = (root / "dev").string();
    EXPECT_EQ(ScanSerialDevices(dev, (root / "sys").string()),
              std::vector<std::string>({dev + "/ttyUSB2", dev + "/ttyUSB10", dev + "/ttyACM0",
                                        dev + "/ttyS0", dev + "/ttyS2"}));
    EXPECT_TRUE(ScanSerialDevices((root / "none").string(), "/nonexistent").empty());

    // The kernel's console is never offered, whichever family it belongs to.
    fs::create_directories(root / "sys" / "console");
    std::ofstream(root / "sys" / "console" / "active") << "tty0 ttyS0 ttyUSB10\n";
    EXPECT_EQ(ScanSerialDevices(dev, (root / "sys").string()),
              std::vector<std::string>({dev + "/ttyUSB2", dev + "/ttyACM0", dev + "/ttyS2"}));
}

TEST(PortFacts, ConsolesAreKnownByNameAndLockFilesByTheirLiveOrEndedProcess) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(::testing::TempDir()) / "q36_facts";
    fs::remove_all(root);
    fs::create_directories(root / "sys" / "console");
    fs::create_directories(root / "dev");
    fs::create_directories(root / "lock");
    std::ofstream(root / "sys" / "console" / "active") << "ttyS7\n";
    std::ofstream(root / "dev" / "ttyS7");
    PtyPair pty;
    EXPECT_TRUE(IsConsoleDevice((root / "dev" / "ttyS7").string(), (root / "sys").string()));
    EXPECT_FALSE(IsConsoleDevice(pty.SlavePath(), (root / "sys").string()));
    EXPECT_EQ(ConsoleDevicesOf((root / "dev").string(), (root / "sys").string()),
              std::vector<std::string>{(root / "dev" / "ttyS7").string()});

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {  // without the pty's master, which would make it the line's far end
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != ready[1]) ::close(fd);
        }
        (void)!::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ::close(ready[1]);
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    const std::string lock =
        (root / "lock" / ("LCK.." + fs::path(pty.SlavePath()).filename().string())).string();
    const auto holdersNamedBy = [&](pid_t pid) {
        std::ofstream(lock) << "      " << pid << "\n";
        return FindPortHolders(pty.SlavePath(), "/proc", {(root / "lock").string()}).holders;
    };
    const auto live = holdersNamedBy(child);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const auto stale = holdersNamedBy(child);
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(live[0].pid, child);
    EXPECT_TRUE(live[0].alive);
    EXPECT_EQ(live[0].lockFile, lock);
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_FALSE(stale[0].alive);
}

}  // namespace
}  // namespace q36::test
