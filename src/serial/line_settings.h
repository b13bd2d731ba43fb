#pragma once
// The line settings of a serial port and their mapping onto termios and the modem lines.
//
// What Linux cannot set is stored by the component but has no effect on the port:
// - XonLimit, XoffLimit: the tty layer sends XOFF and XON at thresholds of its own.
// - IgnoreNullChar: the tty layer has no flag to drop NUL bytes; they are delivered.
// - Outx_DsrFlow, DsrSensitivity, DtrHandshake: termios has no DSR/DTR flow control;
//   DtrHandshake holds DTR on, like DtrEnable.
// - RtsTransmissionAvailable holds RTS on; only some drivers can toggle it per transmission.
// - The driver queue sizes (4096 bytes each way) are the kernel's own and cannot be chosen.
// - ReplacedChar: a byte received with a parity or framing error is replaced by NUL, the only
//   replacement the tty layer offers, whatever ReplacedChar holds.
// - Baud rates without a termios speed constant (14400, 56000, 128000, 256000 ...) are
//   ignored: the port keeps its current speed, as a rejected setting is ignored.
// - One and a half stop bits map to two stop bits, which a UART sends as 1.5 with 5 data bits.

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/comm_types.h"

namespace q36 {

// Defaults are the component's own.
struct LineSettings {
    uint32_t baudRate = 9600;
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    TDtrControl dtrControl = TDtrControl::DtrEnable;
    bool dsrSensitivity = false;
    bool txContinueOnXoff = true;
    bool outxXonXoffFlow = true;
    bool inxXonXoffFlow = true;
    bool replaceWhenParityError = false;
    bool ignoreNullChar = false;
    TRtsControl rtsControl = TRtsControl::RtsEnable;
    uint16_t xonLimit = 500;
    uint16_t xoffLimit = 500;
    TByteSize byteSize = TByteSize::_8;
    TParity parity = TParity::None;
    TStopBits stopBits = TStopBits::_1;
    uint8_t xonChar = 0x11;
    uint8_t xoffChar = 0x13;
    uint8_t replacedChar = 0x00;

    bool operator==(const LineSettings&) const = default;
};

// The termios speed constant of a baud rate, or nothing when termios has none.
std::optional<speed_t> SpeedOfBaudRate(uint32_t baudRate);

// Binary, unechoed, uninterpreted I/O; a non-blocking read waits for nothing and returns EAGAIN
// when no byte is there (VMIN 1: with VMIN 0 it would return 0, which means hangup).
void MapRawMode(termios& attributes);
// Sets both speeds; an unsupported rate leaves them unchanged.
void MapBaudRate(termios& attributes, uint32_t baudRate);
void MapByteSize(termios& attributes, TByteSize byteSize);
void MapParity(termios& attributes, TParity parity);
void MapStopBits(termios& attributes, TStopBits stopBits);
// Bytes with a parity or framing error are read as NUL when both are set, else passed as they
// arrived; the kernel's error counters report them either way.
void MapParityCheck(termios& attributes, bool parityCheck, bool replaceWhenParityError);
// IXOFF: the tty layer sends XOFF/XON to pace the sender.
void MapInputXonXoff(termios& attributes, bool inxXonXoffFlow);
// IXON, and IXANY for TxContinueOnXoff, which only means something while output obeys XOFF.
void MapOutputXonXoff(termios& attributes, bool outxXonXoffFlow, bool txContinueOnXoff);
void MapFlowChars(termios& attributes, uint8_t xonChar, uint8_t xoffChar);
// CRTSCTS covers CTS output flow and RTS handshake together; Linux cannot split them.
void MapHardwareFlow(termios& attributes, bool outxCtsFlow, TRtsControl rtsControl);

// All line settings applied to a copy of attributes.
termios LineTermios(termios attributes, const LineSettings& settings);

// Applies settings to the open port fd: termios, then DTR and RTS. Failures are ignored, as a
// rejected setting is; a device without modem lines (a pseudo-terminal) simply has none set.
void ApplyLineSettings(int fd, const LineSettings& settings);

}  // namespace q36
