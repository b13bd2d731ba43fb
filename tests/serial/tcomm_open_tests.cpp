#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "comm_fixture.h"

namespace q36::test {
namespace {

TEST(TCommOpen, RefusesPathsThatAreNotSerialPortsAndLeaksNothing) {
    const std::string dir = ::testing::TempDir() + "q36_serial_open";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/plain.txt") << "x";
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {dir + "/no-such-port", "Error opening serial port"},
        {"", "Error opening serial port"},
        {dir, "Error opening serial port"},
        {dir + "/plain.txt", "File handle is not a comm handle "},
        {"/dev/null", "File handle is not a comm handle "},  // a character device, not a tty
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        QueueNoticeReceiver queue;
        TComm comm(queue);
        comm.SetCommName(c.path);
        const int fds = OpenFdCount();
        const int threads = ThreadCount();
        int errorNumber = 0;
        EXPECT_EQ(OpenFailure(comm, &errorNumber), c.message);
        EXPECT_NE(errorNumber, 0);  // kept for the front end's hint
        EXPECT_FALSE(comm.IsOpen());
        EXPECT_EQ(OpenFdCount(), fds);
        EXPECT_EQ(ThreadCount(), threads);
        EXPECT_EQ(queue.Pending(), 0u);
    }
}

TEST(TCommOpen, PortHeldByAnotherComponentIsRefusedUntilReleased) {
    PtyPair pty;
    LoggedComm first;
    LoggedComm second;
    first.comm.SetCommName(pty.SlavePath());
    second.comm.SetCommName(pty.SlavePath());
    first.comm.OpenPort();
    // Held exclusively too, against programs that take no lock; the flag goes with the port.
    int exclusive = 0;
    ASSERT_EQ(::ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    const int fds = OpenFdCount();
    int errorNumber = 0;
    EXPECT_EQ(OpenFailure(second.comm, &errorNumber), "Error opening serial port");
    // The lock refuses the second component; for a user without admin rights the kernel's
    // exclusive flag already refuses the opening.
    EXPECT_TRUE(errorNumber == EWOULDBLOCK || errorNumber == EBUSY) << errorNumber;
    EXPECT_FALSE(second.comm.IsOpen());
    EXPECT_EQ(OpenFdCount(), fds);
    first.comm.ClosePort();
    ASSERT_EQ(::ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(OpenFailure(second.comm), "opened");
}

TEST(TCommOpen, OpenWhileOpenAndCallsOutsideTheOpenStateAreHarmless) {
    PtyPair pty;
    LoggedComm c;
    const uint8_t byte = 0x55;
    EXPECT_FALSE(c.comm.SendData(&byte, 1));  // before OpenPort
    c.comm.ClosePort();                       // closed: nothing to do
    c.comm.SetCommName(pty.SlavePath());
    // A first cycle lets run-time helpers (ThreadSanitizer's own thread) start before counting.
    c.comm.OpenPort();
    c.comm.ClosePort();
    const int fds = OpenFdCount();
    const int threads = ThreadCount();
    for (int round = 0; round < 3; ++round) {
        c.comm.OpenPort();
        EXPECT_EQ(OpenFailure(c.comm), "This serial port already opened");
        EXPECT_FALSE(c.comm.SendData(&byte, 0));
        EXPECT_FALSE(c.comm.SendData(nullptr, 1));
        EXPECT_TRUE(c.comm.SendData(&byte, 1));  // the open port still works
        EXPECT_EQ(pty.ReadMaster(1, 2s), std::vector<uint8_t>{byte});
        c.comm.ClosePort();
        c.comm.ClosePort();
        EXPECT_FALSE(c.comm.IsOpen());
        EXPECT_FALSE(c.comm.SendData(&byte, 1));
    }
    EXPECT_EQ(OpenFdCount(), fds);
    EXPECT_EQ(ThreadCount(), threads);
}

// Lets exactly `spare` more descriptors be created from the lowest free number on.
class DescriptorLimit {
  public:
    explicit DescriptorLimit(int spare) {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = ::dup(0);
        ::close(lowestFree);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree + spare);
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }

  private:
    rlimit saved_{};
};

TEST(TCommOpen, FailureAfterTheDeviceOpenedReleasesItAndItsAttributes) {
    PtyPair pty;
    termios before{};
    ::tcgetattr(pty.Slave(), &before);
    LoggedComm c;
    c.comm.SetCommName(pty.SlavePath());
    // One spare descriptor: the device opens, the close event cannot be made. Two: the
    // writer's request queue cannot be made.
    const std::pair<int, std::string> cases[] = {{1, "Unable to create event"},
                                                 {2, "Unable to create write thread"}};
    for (const auto& [spare, message] : cases) {
        SCOPED_TRACE(message);
        const int fds = OpenFdCount();
        const int threads = ThreadCount();
        {
            DescriptorLimit limit(spare);
            EXPECT_EQ(OpenFailure(c.comm), message);
        }
        EXPECT_FALSE(c.comm.IsOpen());
        EXPECT_EQ(OpenFdCount(), fds);
        EXPECT_EQ(ThreadCount(), threads);
        termios after{};
        ::tcgetattr(pty.Slave(), &after);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
    }
    EXPECT_EQ(OpenFailure(c.comm), "opened");  // nothing stayed locked
}

}  // namespace
}  // namespace q36::test
