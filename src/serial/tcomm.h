#pragma once
// The serial port component: owns one serial port, applies its line settings and timeouts,
// moves bytes through a reader and a writer thread, and raises their notices as events on the
// thread that owns it.

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "serial/comm_types.h"
#include "serial/comms_error.h"
#include "serial/line_settings.h"
#include "serial/notice_receiver.h"
#include "serial/port_timeouts.h"
#include "serial/session_stamp.h"
#include "serial/unique_fd.h"

namespace q36 {

class TReadThread;
class TWriteThread;

class TComm {
  public:
    // Long enough for a whole frame of the radio (44 bytes) at 9600 baud several times over.
    static constexpr std::chrono::milliseconds kDrainTimeout{500};

    // buffer holds bufferLength bytes (1 to 2048) and a 0 after them; valid during the call.
    using TReceiveDataEvent =
        std::function<void(TComm& sender, const uint8_t* buffer, uint16_t bufferLength)>;
    // eventMask holds CommErrorFlag bits.
    using TReceiveErrorEvent = std::function<void(TComm& sender, uint32_t eventMask)>;
    // modemEvent is ModemRing (4), ModemCarrier (8) or both (12).
    using TModemStateChangeEvent = std::function<void(TComm& sender, uint32_t modemEvent)>;
    using TNotifyEvent = std::function<void(TComm& sender)>;
    using TSendDataEmptyEvent = std::function<void(TComm& sender)>;

    // The port threads post their notices to receiver, which must outlive the component and
    // hand each notice back to DispatchNotice on the owner's thread.
    explicit TComm(NoticeReceiver& receiver);
    // Closes the port, so that both threads have ended before the component goes away.
    ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Opens CommName exclusively, configures it and starts both threads. Throws ECommsError;
    // after a failure the component is closed and holds nothing.
    void OpenPort();
    // Waits, at most timeout, until every block queued so far is on the line: the writer's
    // queue empty, then the driver's. True when it is (or the port is closed); a ClosePort right
    // after a true result purges nothing.
    bool Drain(std::chrono::milliseconds timeout = kDrainTimeout);
    // Stops both threads, restores the port's original attributes and closes it; blocks still
    // queued, and bytes the driver has not sent unless a Drain saw them out, are discarded.
    // Does nothing when closed.
    void ClosePort();
    // Queues a copy of length bytes for the writer and returns at once. False when the port is
    // closed, the writer has ended, length is 0 or buffer is null.
    bool SendData(const uint8_t* buffer, uint16_t length);
    // Raises the event of a notice the threads posted; call it on the owner's thread only.
    void DispatchNotice(const Notice& notice);

    // True while a port is held (from a successful OpenPort until ClosePort).
    bool IsOpen() const { return port_.Valid(); }
    NoticeReceiver& Receiver() const { return receiver_; }
    const LineSettings& Settings() const { return settings_; }
    const CommTimeouts& Timeouts() const { return timeouts_; }

    // The device path; a change takes effect at the next OpenPort.
    const std::string& CommName() const { return commName_; }
    void SetCommName(std::string commName);

    // Line settings: a change applies all of them to an open port at once.
    uint32_t BaudRate() const { return settings_.baudRate; }
    void SetBaudRate(uint32_t value);
    bool ParityCheck() const { return settings_.parityCheck; }
    void SetParityCheck(bool value);
    bool Outx_CtsFlow() const { return settings_.outxCtsFlow; }
    void SetOutx_CtsFlow(bool value);
    bool Outx_DsrFlow() const { return settings_.outxDsrFlow; }
    void SetOutx_DsrFlow(bool value);
    TDtrControl DtrControl() const { return settings_.dtrControl; }
    void SetDtrControl(TDtrControl value);
    bool DsrSensitivity() const { return settings_.dsrSensitivity; }
    void SetDsrSensitivity(bool value);
    bool TxContinueOnXoff() const { return settings_.txContinueOnXoff; }
    void SetTxContinueOnXoff(bool value);
    bool Outx_XonXoffFlow() const { return settings_.outxXonXoffFlow; }
    void SetOutx_XonXoffFlow(bool value);
    bool Inx_XonXoffFlow() const { return settings_.inxXonXoffFlow; }
    void SetInx_XonXoffFlow(bool value);
    bool ReplaceWhenParityError() const { return settings_.replaceWhenParityError; }
    void SetReplaceWhenParityError(bool value);
    bool IgnoreNullChar() const { return settings_.ignoreNullChar; }
    void SetIgnoreNullChar(bool value);
    TRtsControl RtsControl() const { return settings_.rtsControl; }
    void SetRtsControl(TRtsControl value);
    uint16_t XonLimit() const { return settings_.xonLimit; }
    void SetXonLimit(uint16_t value);
    uint16_t XoffLimit() const { return settings_.xoffLimit; }
    void SetXoffLimit(uint16_t value);
    TByteSize ByteSize() const { return settings_.byteSize; }
    void SetByteSize(TByteSize value);
    TParity Parity() const { return settings_.parity; }
    void SetParity(TParity value);
    TStopBits StopBits() const { return settings_.stopBits; }
    void SetStopBits(TStopBits value);
    uint8_t XonChar() const { return settings_.xonChar; }
    void SetXonChar(uint8_t value);
    uint8_t XoffChar() const { return settings_.xoffChar; }
    void SetXoffChar(uint8_t value);
    uint8_t ReplacedChar() const { return settings_.replacedChar; }
    void SetReplacedChar(uint8_t value);

    // Timeouts, in milliseconds: a change applies to an open port at once, the pending read
    // included.
    uint32_t ReadIntervalTimeout() const { return timeouts_.readIntervalTimeout; }
    void SetReadIntervalTimeout(uint32_t value);
    uint32_t ReadTotalTimeoutMultiplier() const { return timeouts_.readTotalTimeoutMultiplier; }
    void SetReadTotalTimeoutMultiplier(uint32_t value);
    uint32_t ReadTotalTimeoutConstant() const { return timeouts_.readTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(uint32_t value);
    uint32_t WriteTotalTimeoutMultiplier() const { return timeouts_.writeTotalTimeoutMultiplier; }
    void SetWriteTotalTimeoutMultiplier(uint32_t value);
    uint32_t WriteTotalTimeoutConstant() const { return timeouts_.writeTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(uint32_t value);

    // Events, raised on the owner's thread in the order the threads posted their notices.
    TReceiveDataEvent OnReceiveData;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;
    // Raised once per opening of the port, for the first hangup notice: a vanished device ends
    // both threads, and each reports it, but the owner has one port to give up.
    TNotifyEvent OnRequestHangup;
    TSendDataEmptyEvent OnSendDataEmpty;

  private:
    template <class T>
    void ChangeLineSetting(T LineSettings::*field, T value);
    void ChangeTimeout(uint32_t CommTimeouts::*field, uint32_t value);

    NoticeReceiver& receiver_;
    SessionStamp stamp_{receiver_};  // what the threads post through
    uint32_t openings_ = 0;          // attempts to open the port, failed ones included
    uint32_t session_ = 0;           // the opening the port is (or was last) open under
    std::string commName_ = "COM2";
    LineSettings settings_;
    CommTimeouts timeouts_;

    // Open state; all present or all absent.
    UniqueFd port_;
    UniqueFd closeEvent_;
    termios original_{};
    PortTimeouts portTimeouts_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
    bool hangupRaised_ = false;  // since the last OpenPort
    bool drained_ = false;       // nothing was queued since the last Drain that succeeded
};

}  // namespace q36
