#include "serial/port_probe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "comm_fixture.h"

namespace q36::test {
namespace {

// Sets Q36_PORTS for one test and restores what was there.
class PortsVariable {
  public:
    explicit PortsVariable(const std::string& value) {
        if (const char* old = std::getenv("Q36_PORTS")) saved_ = old;
        ::setenv("Q36_PORTS", value.c_str(), 1);
    }
    ~PortsVariable() {
        if (saved_) {
            ::setenv("Q36_PORTS", saved_->c_str(), 1);
        } else {
            ::unsetenv("Q36_PORTS");
        }
    }

  private:
    std::optional<std::string> saved_;
};

TEST(PortProbe, PortsVariableListsExistingPathsInItsOrderBusyOnesIncluded) {
    PtyPair free;
    PtyPair held;
    QueueNoticeReceiver queue;
    TComm comm(queue);
    comm.SetCommName(held.SlavePath());
    comm.OpenPort();

    {
        PortsVariable ports(held.SlavePath() + ":/dev/q36-missing::" + free.SlavePath() + ":" +
                            held.SlavePath() + ":");
        EXPECT_EQ(ProbePorts(), std::vector<std::string>({held.SlavePath(), free.SlavePath()}));
        EXPECT_EQ(ListDialogPorts(), ProbePorts());
    }
    {
        PortsVariable ports("");
        EXPECT_TRUE(ProbePorts().empty());
    }
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
    auto uart = [&](const char* name, const char* type) {
        fs::create_directories(root / "sys" / name);
        std::ofstream(root / "sys" / name / "type") << type << "\n";
    };
    uart("ttyS0", "4");
    uart("ttyS1", "0");  // a reserved slot with no chip
    uart("ttyS2", "4");  // ttyS3 has no sysfs entry at all

    const std::string dev = (root / "dev").string();
    EXPECT_EQ(ScanSerialDevices(dev, (root / "sys").string()),
              std::vector<std::string>({dev + "/ttyUSB2", dev + "/ttyUSB10", dev + "/ttyACM0",
                                        dev + "/ttyS0", dev + "/ttyS2"}));
    EXPECT_TRUE(ScanSerialDevices((root / "none").string(), "/nonexistent").empty());
}

}  // namespace
}  // namespace q36::test
