#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "comm_fixture.h"
#include "serial/radio_link_settings.h"

namespace q36::test {
namespace {

struct BadPath {
    std::string name;
    std::string path;
    std::string message;
};

TEST(TCommOpen, RefusesPathsThatAreNotSerialPortsAndLeaksNothing) {
    const std::string dir = ::testing::TempDir() + "q36_serial_open";
    std::filesystem::create_directories(dir);
    const std::string file = dir + "/plain.txt";
    std::fclose(std::fopen(file.c_str(), "w"));

    const BadPath cases[] = {
        {"missing", dir + "/no-such-port", "Error opening serial port"},
        {"empty name", "", "Error opening serial port"},
        {"directory", dir, "Error opening serial port"},
        {"regular file", file, "File handle is not a comm handle "},
        {"character device that is no tty", "/dev/null", "File handle is not a comm handle "},
    };
    for (const BadPath& c : cases) {
        SCOPED_TRACE(c.name);
        QueueNoticeReceiver queue;
        TComm comm(queue);
        comm.SetCommName(c.path);
        const int fds = OpenFdCount();
        const int threads = ThreadCount();
        try {
            comm.OpenPort();
            ADD_FAILURE() << "OpenPort succeeded";
        } catch (const ECommsError& error) {
            EXPECT_EQ(error.what(), c.message);
            EXPECT_NE(error.ErrorNumber(), 0);
            EXPECT_FALSE(error.SystemError().empty());
        }
        EXPECT_FALSE(comm.IsOpen());
        EXPECT_EQ(OpenFdCount(), fds);
        EXPECT_EQ(ThreadCount(), threads);
        EXPECT_EQ(queue.Pending(), 0u);
    }
}

TEST(TCommOpen, OpenWhileOpenRaisesAndLeavesThePortWorking) {
    PtyPair pty;
    LoggedComm c;
    c.comm.SetCommName(pty.SlavePath());
    c.comm.SetReadIntervalTimeout(20);
    c.comm.OpenPort();
    try {
        c.comm.OpenPort();
        ADD_FAILURE() << "second OpenPort succeeded";
    } catch (const ECommsError& error) {
        EXPECT_STREQ(error.what(), "This serial port already opened");
        EXPECT_EQ(error.Code(), CommsErrorCode::AlreadyOpen);
    }
    ASSERT_TRUE(c.comm.IsOpen());
    const uint8_t hello[] = {'h', 'i'};
    ASSERT_TRUE(c.comm.SendData(hello, 2));
    EXPECT_EQ(pty.ReadMaster(2, 2s), std::vector<uint8_t>({'h', 'i'}));
    pty.WriteMaster({1, 2, 3});
    EXPECT_TRUE(c.RunUntil([&] { return c.Received().size() == 3; }, 2s));
}

TEST(TCommOpen, PortHeldByAnotherComponentIsRefusedUntilReleased) {
    PtyPair pty;
    QueueNoticeReceiver firstQueue;
    QueueNoticeReceiver secondQueue;
    TComm first(firstQueue);
    TComm second(secondQueue);
    first.SetCommName(pty.SlavePath());
    second.SetCommName(pty.SlavePath());
    first.OpenPort();

    const int fds = OpenFdCount();
    try {
        second.OpenPort();
        ADD_FAILURE() << "a held port was opened twice";
    } catch (const ECommsError& error) {
        EXPECT_STREQ(error.what(), "Error opening serial port");
        EXPECT_EQ(error.ErrorNumber(), EWOULDBLOCK);
    }
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(OpenFdCount(), fds);

    first.ClosePort();
    EXPECT_NO_THROW(second.OpenPort());
    EXPECT_TRUE(second.IsOpen());
}

TEST(TCommOpen, SendDataAndClosePortOutsideTheOpenStateAreHarmless) {
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
        EXPECT_FALSE(c.comm.SendData(&byte, 0));
        EXPECT_FALSE(c.comm.SendData(nullptr, 1));
        EXPECT_TRUE(c.comm.SendData(&byte, 1));
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
    struct Case {
        int spare;
        const char* message;
    };
    // One descriptor: the device opens, the close event cannot be made. Two: the writer's
    // request queue cannot be made.
    for (const Case& k :
         {Case{1, "Unable to create event"}, Case{2, "Unable to create write thread"}}) {
        SCOPED_TRACE(k.message);
        const int fds = OpenFdCount();
        const int threads = ThreadCount();
        try {
            DescriptorLimit limit(k.spare);
            c.comm.OpenPort();
            ADD_FAILURE() << "OpenPort succeeded";
        } catch (const ECommsError& error) {
            EXPECT_STREQ(error.what(), k.message);
        }
        EXPECT_FALSE(c.comm.IsOpen());
        EXPECT_EQ(OpenFdCount(), fds);
        EXPECT_EQ(ThreadCount(), threads);
        termios after{};
        ::tcgetattr(pty.Slave(), &after);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
    }
    EXPECT_NO_THROW(c.comm.OpenPort());  // nothing stayed locked
}

TEST(TCommOpen, PropertiesStartAtTheComponentDefaults) {
    QueueNoticeReceiver queue;
    TComm comm(queue);
    EXPECT_EQ(comm.CommName(), "COM2");
    EXPECT_EQ(comm.BaudRate(), 9600u);
    EXPECT_TRUE(comm.TxContinueOnXoff());
    EXPECT_TRUE(comm.Outx_XonXoffFlow());
    EXPECT_TRUE(comm.Inx_XonXoffFlow());
    EXPECT_EQ(comm.XonLimit(), 500);
    EXPECT_EQ(comm.XoffLimit(), 500);
    EXPECT_EQ(comm.DtrControl(), TDtrControl::DtrEnable);
    EXPECT_EQ(comm.RtsControl(), TRtsControl::RtsEnable);
    EXPECT_EQ(comm.XonChar(), 0x11);
    EXPECT_EQ(comm.XoffChar(), 0x13);
    EXPECT_EQ(comm.ReadIntervalTimeout(), 100u);
    EXPECT_FALSE(comm.IsOpen());

    ApplyRadioLinkSettings(comm);
    EXPECT_FALSE(comm.TxContinueOnXoff());
    EXPECT_FALSE(comm.Outx_XonXoffFlow());
    EXPECT_TRUE(comm.Inx_XonXoffFlow());
    EXPECT_EQ(comm.XonLimit(), 64);
    EXPECT_EQ(comm.XoffLimit(), 64);
}

}  // namespace
}  // namespace q36::test
