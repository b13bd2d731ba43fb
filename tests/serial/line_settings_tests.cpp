#include "serial/line_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "comm_fixture.h"
#include "serial/radio_link_settings.h"

namespace q36::test {
namespace {

termios RawAt38400() {
    termios t{};
    MapRawMode(t);
    cfsetspeed(&t, B38400);
    return t;
}

struct MappingCase {
    const char* name;
    std::function<void(LineSettings&)> change;
    std::function<bool(const termios&)> holds;
};

TEST(LineSettings, SettingsMapToTheirTermiosParts) {
    const tcflag_t parityBits = PARENB | PARODD | CMSPAR;
    const MappingCase cases[] = {
        {"radio link: 9600 8N1, XON/XOFF on input only",
         [](LineSettings& s) { s.txContinueOnXoff = s.outxXonXoffFlow = false; },
         [](const termios& t) {
             return cfgetospeed(&t) == B9600 && cfgetispeed(&t) == B9600 &&
                    (t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS)) == CS8 &&
                    (t.c_iflag & (IXON | IXOFF | IXANY | INPCK | ISTRIP | ICRNL)) == IXOFF &&
                    (t.c_lflag & (ICANON | ECHO)) == 0 && t.c_cc[VSTART] == 0x11 &&
                    t.c_cc[VSTOP] == 0x13 && t.c_cc[VMIN] == 1;
         }},
        {"component defaults: output XON/XOFF, any byte resumes", [](LineSettings&) {},
         [](const termios& t) { return (t.c_iflag & (IXON | IXANY)) == (IXON | IXANY); }},
        {"mark parity", [](LineSettings& s) { s.parity = TParity::Mark; },
         [=](const termios& t) { return (t.c_cflag & parityBits) == parityBits; }},
        {"space parity", [](LineSettings& s) { s.parity = TParity::Space; },
         [=](const termios& t) { return (t.c_cflag & parityBits) == (PARENB | CMSPAR); }},
        {"unsupported rate keeps the speed", [](LineSettings& s) { s.baudRate = 14400; },
         [](const termios& t) { return cfgetospeed(&t) == B38400; }},
        {"parity check with replacement",
         [](LineSettings& s) { s.parityCheck = s.replaceWhenParityError = true; },
         [](const termios& t) { return (t.c_iflag & (INPCK | IGNPAR | PARMRK)) == INPCK; }},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(c.name);
        LineSettings settings;
        c.change(settings);
        EXPECT_TRUE(c.holds(LineTermios(RawAt38400(), settings)));
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
