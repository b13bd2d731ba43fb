#include "serial/line_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "comm_fixture.h"
#include "serial/radio_link_settings.h"

namespace q36::test {
namespace {

termios RawTermios() {
    termios t{};
    MapRawMode(t);
    return t;
}

TEST(LineSettings, RadioLinkValuesGiveRaw9600EightNoneOneWithInputXonXoffOnly) {
    QueueNoticeReceiver queue;
    TComm comm(queue);
    ApplyRadioLinkSettings(comm);
    const termios t = LineTermios(RawTermios(), comm.Settings());
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(cfgetispeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t{CLOCAL | CREAD});
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | INPCK | PARMRK | ISTRIP | ICRNL),
              tcflag_t{IXOFF});
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_EQ(t.c_cc[VMIN], 1);
}

struct MappingCase {
    const char* name;
    std::function<void(LineSettings&)> change;
    std::function<bool(const termios&)> holds;
};

TEST(LineSettings, EachSettingMapsToItsTermiosPart) {
    const MappingCase cases[] = {
        {"7 data bits", [](LineSettings& s) { s.byteSize = TByteSize::_7; },
         [](const termios& t) { return (t.c_cflag & CSIZE) == CS7; }},
        {"odd parity", [](LineSettings& s) { s.parity = TParity::Odd; },
         [](const termios& t) {
             return (t.c_cflag & (PARENB | PARODD | CMSPAR)) == (PARENB | PARODD);
         }},
        {"mark parity", [](LineSettings& s) { s.parity = TParity::Mark; },
         [](const termios& t) {
             return (t.c_cflag & (PARENB | PARODD | CMSPAR)) == (PARENB | PARODD | CMSPAR);
         }},
        {"space parity", [](LineSettings& s) { s.parity = TParity::Space; },
         [](const termios& t) {
             return (t.c_cflag & (PARENB | PARODD | CMSPAR)) == (PARENB | CMSPAR);
         }},
        {"two stop bits", [](LineSettings& s) { s.stopBits = TStopBits::_2; },
         [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
        {"unsupported rate keeps the speed", [](LineSettings& s) { s.baudRate = 14400; },
         [](const termios& t) { return cfgetospeed(&t) == B38400; }},
        {"115200", [](LineSettings& s) { s.baudRate = 115200; },
         [](const termios& t) { return cfgetospeed(&t) == B115200; }},
        {"CTS flow", [](LineSettings& s) { s.outxCtsFlow = true; },
         [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
        {"RTS handshake", [](LineSettings& s) { s.rtsControl = TRtsControl::RtsHandshake; },
         [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
        {"parity check alone passes bad bytes", [](LineSettings& s) { s.parityCheck = true; },
         [](const termios& t) { return (t.c_iflag & (INPCK | IGNPAR | PARMRK)) == 0; }},
        {"parity check with replacement",
         [](LineSettings& s) { s.parityCheck = s.replaceWhenParityError = true; },
         [](const termios& t) { return (t.c_iflag & (INPCK | IGNPAR | PARMRK)) == INPCK; }},
        {"component defaults: output XON/XOFF, any char resumes", [](LineSettings&) {},
         [](const termios& t) {
             return (t.c_iflag & (IXON | IXOFF | IXANY)) == (IXON | IXOFF | IXANY);
         }},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(c.name);
        termios start = RawTermios();
        cfsetspeed(&start, B38400);
        LineSettings settings;
        c.change(settings);
        EXPECT_TRUE(c.holds(LineTermios(start, settings)));
    }
}

TEST(LineSettings, ChangesWhileOpenApplyAtOnceAndCloseRestoresTheOriginal) {
    PtyPair pty;
    termios original{};
    ::tcgetattr(pty.Slave(), &original);
    LoggedComm c;
    ApplyRadioLinkSettings(c.comm);
    c.comm.SetCommName(pty.SlavePath());
    c.comm.OpenPort();
    auto slave = [&] {
        termios t{};
        ::tcgetattr(pty.Slave(), &t);
        return t;
    };
    auto speed = [&] {
        termios t = slave();
        return cfgetospeed(&t);
    };
    EXPECT_EQ(speed(), B9600);
    EXPECT_EQ(slave().c_lflag & ECHO, 0u);

    c.comm.SetBaudRate(19200);
    EXPECT_EQ(speed(), B19200);
    c.comm.SetOutx_XonXoffFlow(true);
    EXPECT_NE(slave().c_iflag & IXON, 0u);

    // Assigning the current value writes nothing: a change made behind the component's back
    // stays.
    termios behind = slave();
    cfsetspeed(&behind, B1200);
    ::tcsetattr(pty.Slave(), TCSANOW, &behind);
    c.comm.SetBaudRate(19200);
    EXPECT_EQ(speed(), B1200);

    // The name is only used by the next OpenPort.
    c.comm.SetCommName("/nonexistent/port");
    EXPECT_TRUE(c.comm.IsOpen());
    c.comm.ClosePort();
    EXPECT_EQ(slave().c_lflag, original.c_lflag);
    EXPECT_EQ(speed(), cfgetospeed(&original));
    EXPECT_THROW(c.comm.OpenPort(), ECommsError);
}

}  // namespace
}  // namespace q36::test
