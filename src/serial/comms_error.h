#pragma once
// The exception the serial port component raises when a port cannot be opened.

#include <stdexcept>
#include <string>

namespace q36 {

// Why OpenPort failed; each code has one fixed English message.
enum class CommsErrorCode {
    AlreadyOpen,
    CannotOpen,
    NotCommHandle,
    CannotSetupBuffer,
    CannotCreateEvent,
    CannotCreateReadThread,
    CannotCreateWriteThread,
};

// The fixed English message of a code, as what() reports it.
const char* CommsErrorText(CommsErrorCode code);

class ECommsError : public std::runtime_error {
  public:
    // errorNumber is the errno of the failed system call, 0 when there was none.
    explicit ECommsError(CommsErrorCode code, int errorNumber = 0);

    // Which step failed.
    CommsErrorCode Code() const noexcept { return code_; }
    // The errno behind the failure (EACCES hints at a missing dialout membership), or 0.
    int ErrorNumber() const noexcept { return errorNumber_; }
    // The system's text for ErrorNumber(), empty when it is 0.
    const std::string& SystemError() const noexcept { return systemError_; }

  private:
    CommsErrorCode code_;
    int errorNumber_;
    std::string systemError_;
};

}  // namespace q36
