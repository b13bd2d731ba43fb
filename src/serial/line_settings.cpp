#include "serial/line_settings.h"

#include <sys/ioctl.h>

#include <array>
#include <utility>

namespace q36 {

namespace {

constexpr std::array<std::pair<uint32_t, speed_t>, 30> kSpeeds = {{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

void SetFlag(tcflag_t& flags, tcflag_t bits, bool on) {
    if (on) {
        flags |= bits;
    } else {
        flags &= ~bits;
    }
}

// Raises or drops one modem line; a device without modem lines reports an error, which is
// not a failure of the port.
void SetModemLine(int fd, int line, bool on) {
    (void)::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

std::optional<speed_t> SpeedOfBaudRate(uint32_t baudRate) {
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baudRate) return speed;
    }
    return std::nullopt;
}

void MapRawMode(termios& attributes) {
    ::cfmakeraw(&attributes);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
}

void MapBaudRate(termios& attributes, uint32_t baudRate) {
    if (auto speed = SpeedOfBaudRate(baudRate)) {
        ::cfsetispeed(&attributes, *speed);
        ::cfsetospeed(&attributes, *speed);
    }
}

void MapByteSize(termios& attributes, TByteSize byteSize) {
    static constexpr std::array<tcflag_t, 4> kSizes = {CS5, CS6, CS7, CS8};
    attributes.c_cflag = (attributes.c_cflag & ~CSIZE) | kSizes[static_cast<size_t>(byteSize)];
}

void MapParity(termios& attributes, TParity parity) {
    tcflag_t bits = 0;
    switch (parity) {
        case TParity::None:
            break;
        case TParity::Odd:
            bits = PARENB | PARODD;
            break;
        case TParity::Even:
            bits = PARENB;
            break;
        case TParity::Mark:  // CMSPAR turns odd into a constant 1, even into a constant 0
            bits = PARENB | CMSPAR | PARODD;
            break;
        case TParity::Space:
            bits = PARENB | CMSPAR;
            break;
    }
    attributes.c_cflag = (attributes.c_cflag & ~(PARENB | PARODD | CMSPAR)) | bits;
}

void MapStopBits(termios& attributes, TStopBits stopBits) {
    SetFlag(attributes.c_cflag, CSTOPB, stopBits != TStopBits::_1);
}

void MapParityCheck(termios& attributes, bool parityCheck, bool replaceWhenParityError) {
    SetFlag(attributes.c_iflag, INPCK, parityCheck && replaceWhenParityError);
    // Marking or dropping bad bytes would change the byte stream the caller sees.
    attributes.c_iflag &= ~(PARMRK | IGNPAR);
}

void MapInputXonXoff(termios& attributes, bool inxXonXoffFlow) {
    SetFlag(attributes.c_iflag, IXOFF, inxXonXoffFlow);
}

void MapOutputXonXoff(termios& attributes, bool outxXonXoffFlow, bool txContinueOnXoff) {
    SetFlag(attributes.c_iflag, IXON, outxXonXoffFlow);
    SetFlag(attributes.c_iflag, IXANY, outxXonXoffFlow && txContinueOnXoff);
}

void MapFlowChars(termios& attributes, uint8_t xonChar, uint8_t xoffChar) {
    attributes.c_cc[VSTART] = static_cast<cc_t>(xonChar);
    attributes.c_cc[VSTOP] = static_cast<cc_t>(xoffChar);
}

void MapHardwareFlow(termios& attributes, bool outxCtsFlow, TRtsControl rtsControl) {
    SetFlag(attributes.c_cflag, CRTSCTS, outxCtsFlow || rtsControl == TRtsControl::RtsHandshake);
}

termios LineTermios(termios attributes, const LineSettings& settings) {
    MapBaudRate(attributes, settings.baudRate);
    MapByteSize(attributes, settings.byteSize);
    MapParity(attributes, settings.parity);
    MapStopBits(attributes, settings.stopBits);
    MapParityCheck(attributes, settings.parityCheck, settings.replaceWhenParityError);
    MapInputXonXoff(attributes, settings.inxXonXoffFlow);
    MapOutputXonXoff(attributes, settings.outxXonXoffFlow, settings.txContinueOnXoff);
    MapFlowChars(attributes, settings.xonChar, settings.xoffChar);
    MapHardwareFlow(attributes, settings.outxCtsFlow, settings.rtsControl);
    return attributes;
}

void ApplyLineSettings(int fd, const LineSettings& settings) {
    // One read and one write of the attributes, so the line never runs with half of a change.
    termios attributes{};
    if (::tcgetattr(fd, &attributes) == 0) {
        termios changed = LineTermios(attributes, settings);
        (void)::tcsetattr(fd, TCSANOW, &changed);
    }
    SetModemLine(fd, TIOCM_DTR, settings.dtrControl != TDtrControl::DtrDisable);
    // Under RtsHandshake the driver moves RTS itself.
    if (settings.rtsControl != TRtsControl::RtsHandshake) {
        SetModemLine(fd, TIOCM_RTS, settings.rtsControl != TRtsControl::RtsDisable);
    }
}

}  // namespace q36
