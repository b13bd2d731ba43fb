#include "serial/tcomm.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "serial/read_thread.h"
#include "serial/write_thread.h"

namespace q36 {

namespace {

void SetEvent(int eventFd) {
    const uint64_t one = 1;
    (void)::write(eventFd, &one, sizeof one);
}

// Copies a handler before calling it, so that a handler may replace itself.
template <class Handler, class... Args>
void Raise(const Handler& handler, Args&&... args) {
    if (!handler) return;
    Handler call = handler;
    call(std::forward<Args>(args)...);
}

}  // namespace

TComm::TComm(NoticeReceiver& receiver) : receiver_(receiver) {}

TComm::~TComm() {
    ClosePort();
}

void TComm::OpenPort() {
    if (port_.Valid()) throw ECommsError(CommsErrorCode::AlreadyOpen);

    UniqueFd port(::open(commName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.Valid()) throw ECommsError(CommsErrorCode::CannotOpen, errno);
    if (!::isatty(port.Get())) throw ECommsError(CommsErrorCode::NotCommHandle, errno);
    // Advisory, like every serial program's lock: a port another program holds is refused.
    if (::flock(port.Get(), LOCK_EX | LOCK_NB) != 0) {
        throw ECommsError(CommsErrorCode::CannotOpen, errno);
    }
    termios original{};
    if (::tcgetattr(port.Get(), &original) != 0) {
        throw ECommsError(CommsErrorCode::CannotOpen, errno);
    }
    // Keeps out the programs that take no lock (a terminal program, a modem manager): the
    // kernel refuses them any further opening of the device while the flag is set.
    (void)::ioctl(port.Get(), TIOCEXCL);
    auto fail = [&](CommsErrorCode code, int errorNumber) {
        (void)::tcsetattr(port.Get(), TCSANOW, &original);
        (void)::ioctl(port.Get(), TIOCNXCL);
        return ECommsError(code, errorNumber);
    };

    termios raw = original;
    MapRawMode(raw);
    (void)::tcsetattr(port.Get(), TCSANOW, &raw);
    (void)::tcflush(port.Get(), TCIOFLUSH);
    portTimeouts_.Store(timeouts_);
    ApplyLineSettings(port.Get(), settings_);

    UniqueFd closeEvent(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!closeEvent.Valid()) throw fail(CommsErrorCode::CannotCreateEvent, errno);

    // No thread of an earlier opening is left (ClosePort joined them), so the stamp can change.
    const uint32_t session = ++openings_;
    stamp_.Begin(session);
    std::unique_ptr<TReadThread> reader;
    std::unique_ptr<TWriteThread> writer;
    try {
        reader = std::make_unique<TReadThread>(port.Get(), closeEvent.Get(), stamp_, portTimeouts_);
    } catch (const std::exception&) {
        throw fail(CommsErrorCode::CannotCreateReadThread, 0);
    }
    try {
        writer = std::make_unique<TWriteThread>(port.Get(), closeEvent.Get(), stamp_);
    } catch (const std::system_error& error) {
        throw fail(CommsErrorCode::CannotCreateWriteThread, error.code().value());
    } catch (const std::exception&) {
        throw fail(CommsErrorCode::CannotCreateWriteThread, 0);
    }
    try {
        reader->Start();
    } catch (const std::system_error& error) {
        throw fail(CommsErrorCode::CannotCreateReadThread, error.code().value());
    }
    try {
        writer->Start();
    } catch (const std::system_error& error) {
        SetEvent(closeEvent.Get());
        reader->Join();
        throw fail(CommsErrorCode::CannotCreateWriteThread, error.code().value());
    }

    port_ = std::move(port);
    session_ = session;
    hangupRaised_ = false;
    drained_ = false;
    closeEvent_ = std::move(closeEvent);
    original_ = original;
    reader_ = std::move(reader);
    writer_ = std::move(writer);
}

bool TComm::Drain(std::chrono::milliseconds timeout) {
    if (!port_.Valid()) return true;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (!writer_->WaitUntilSent(deadline)) return false;
    // The writer has handed everything to the driver; wait for the driver's own queue. A device
    // that keeps no count (TIOCOUTQ refused) has nothing more to wait for.
    for (int queued = 0; ::ioctl(port_.Get(), TIOCOUTQ, &queued) == 0 && queued > 0;) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // The last character may still be in the chip's shift register.
    (void)::tcdrain(port_.Get());
    drained_ = true;
    return true;
}

void TComm::ClosePort() {
    if (!port_.Valid()) return;
    SetEvent(closeEvent_.Get());
    (void)::tcflush(port_.Get(), TCIFLUSH);
    reader_.reset();  // joins
    // Only what is still unsent is purged: after a drain the line holds nothing of ours, and on a
    // pseudo-terminal a purge would take back bytes the other side has not read yet.
    if (!drained_) (void)::tcflush(port_.Get(), TCOFLUSH);
    writer_.reset();  // joins; blocks still queued are discarded
    closeEvent_.Reset();
    (void)::tcsetattr(port_.Get(), TCSANOW, &original_);
    (void)::ioctl(port_.Get(), TIOCNXCL);
    port_.Reset();  // closing the descriptor also drops the lock
}

bool TComm::SendData(const uint8_t* buffer, uint16_t length) {
    if (!writer_ || length == 0 || buffer == nullptr) return false;
    drained_ = false;
    std::vector<uint8_t> block(size_t{length} + 1, 0);
    std::copy_n(buffer, length, block.begin());
    return writer_->Post(std::move(block));
}

void TComm::DispatchNotice(const Notice& notice) {
    // Left over from an earlier opening of the port: its line is gone.
    if (notice.session != 0 && notice.session != session_) return;
    switch (notice.code) {
        case NoticeReceiveData: {
            // The block must hold the count and the final 0; a notice that does not is cut to
            // what it really holds rather than read past its end.
            const size_t held = notice.block.empty() ? 0 : notice.block.size() - 1;
            const size_t length = std::min<size_t>(notice.wParam & 0xFFFFu, held);
            if (length == 0 || !OnReceiveData) return;
            if (notice.block[length] == 0) {
                Raise(OnReceiveData, *this, notice.block.data(), static_cast<uint16_t>(length));
            } else {
                std::vector<uint8_t> copy(notice.block.begin(), notice.block.begin() + length);
                copy.push_back(0);
                Raise(OnReceiveData, *this, copy.data(), static_cast<uint16_t>(length));
            }
            return;
        }
        case NoticeReceiveError:
            Raise(OnReceiveError, *this, static_cast<uint32_t>(notice.lParam));
            return;
        case NoticeHangup:
            if (hangupRaised_) return;
            hangupRaised_ = true;
            Raise(OnRequestHangup, *this);
            return;
        case NoticeModemState:
            Raise(OnModemStateChange, *this, static_cast<uint32_t>(notice.lParam));
            return;
        case NoticeSendEmpty:
            Raise(OnSendDataEmpty, *this);
            return;
        default:
            return;  // not ours
    }
}

template <class T>
void TComm::ChangeLineSetting(T LineSettings::*field, T value) {
    if (settings_.*field == value) return;
    settings_.*field = value;
    if (port_.Valid()) ApplyLineSettings(port_.Get(), settings_);
}

void TComm::ChangeTimeout(uint32_t CommTimeouts::*field, uint32_t value) {
    if (timeouts_.*field == value) return;
    timeouts_.*field = value;
    if (port_.Valid()) portTimeouts_.Store(timeouts_);
}

void TComm::SetCommName(std::string commName) {
    commName_ = std::move(commName);
}

void TComm::SetBaudRate(uint32_t value) {
    ChangeLineSetting(&LineSettings::baudRate, value);
}
void TComm::SetParityCheck(bool value) {
    ChangeLineSetting(&LineSettings::parityCheck, value);
}
void TComm::SetOutx_CtsFlow(bool value) {
    ChangeLineSetting(&LineSettings::outxCtsFlow, value);
}
void TComm::SetOutx_DsrFlow(bool value) {
    ChangeLineSetting(&LineSettings::outxDsrFlow, value);
}
void TComm::SetDtrControl(TDtrControl value) {
    ChangeLineSetting(&LineSettings::dtrControl, value);
}
void TComm::SetDsrSensitivity(bool value) {
    ChangeLineSetting(&LineSettings::dsrSensitivity, value);
}
void TComm::SetTxContinueOnXoff(bool value) {
    ChangeLineSetting(&LineSettings::txContinueOnXoff, value);
}
void TComm::SetOutx_XonXoffFlow(bool value) {
    ChangeLineSetting(&LineSettings::outxXonXoffFlow, value);
}
void TComm::SetInx_XonXoffFlow(bool value) {
    ChangeLineSetting(&LineSettings::inxXonXoffFlow, value);
}
void TComm::SetReplaceWhenParityError(bool value) {
    ChangeLineSetting(&LineSettings::replaceWhenParityError, value);
}
void TComm::SetIgnoreNullChar(bool value) {
    ChangeLineSetting(&LineSettings::ignoreNullChar, value);
}
void TComm::SetRtsControl(TRtsControl value) {
    ChangeLineSetting(&LineSettings::rtsControl, value);
}
void TComm::SetXonLimit(uint16_t value) {
    ChangeLineSetting(&LineSettings::xonLimit, value);
}
void TComm::SetXoffLimit(uint16_t value) {
    ChangeLineSetting(&LineSettings::xoffLimit, value);
}
void TComm::SetByteSize(TByteSize value) {
    ChangeLineSetting(&LineSettings::byteSize, value);
}
void TComm::SetParity(TParity value) {
    ChangeLineSetting(&LineSettings::parity, value);
}
void TComm::SetStopBits(TStopBits value) {
    ChangeLineSetting(&LineSettings::stopBits, value);
}
void TComm::SetXonChar(uint8_t value) {
    ChangeLineSetting(&LineSettings::xonChar, value);
}
void TComm::SetXoffChar(uint8_t value) {
    ChangeLineSetting(&LineSettings::xoffChar, value);
}
void TComm::SetReplacedChar(uint8_t value) {
    ChangeLineSetting(&LineSettings::replacedChar, value);
}

void TComm::SetReadIntervalTimeout(uint32_t value) {
    ChangeTimeout(&CommTimeouts::readIntervalTimeout, value);
}
void TComm::SetReadTotalTimeoutMultiplier(uint32_t value) {
    ChangeTimeout(&CommTimeouts::readTotalTimeoutMultiplier, value);
}
void TComm::SetReadTotalTimeoutConstant(uint32_t value) {
    ChangeTimeout(&CommTimeouts::readTotalTimeoutConstant, value);
}
void TComm::SetWriteTotalTimeoutMultiplier(uint32_t value) {
    ChangeTimeout(&CommTimeouts::writeTotalTimeoutMultiplier, value);
}
void TComm::SetWriteTotalTimeoutConstant(uint32_t value) {
    ChangeTimeout(&CommTimeouts::writeTotalTimeoutConstant, value);
}

}  // namespace q36
