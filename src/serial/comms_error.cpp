#include "serial/comms_error.h"

#include <cstring>

namespace q36 {

const char* CommsErrorText(CommsErrorCode code) {
    switch (code) {
        case CommsErrorCode::AlreadyOpen:
            return "This serial port already opened";
        case CommsErrorCode::CannotOpen:
            return "Error opening serial port";
        case CommsErrorCode::NotCommHandle:
            return "File handle is not a comm handle ";  // the trailing blank is part of the text
        case CommsErrorCode::CannotSetupBuffer:
            return "Cannot setup comm buffer";
        case CommsErrorCode::CannotCreateEvent:
            return "Unable to create event";
        case CommsErrorCode::CannotCreateReadThread:
            return "Unable to create read thread";
        case CommsErrorCode::CannotCreateWriteThread:
            return "Unable to create write thread";
    }
    return "Error opening serial port";
}

ECommsError::ECommsError(CommsErrorCode code, int errorNumber)
    : std::runtime_error(CommsErrorText(code)),
      code_(code),
      errorNumber_(errorNumber),
      systemError_(errorNumber != 0 ? std::strerror(errorNumber) : "") {}

}  // namespace q36
