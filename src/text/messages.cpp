#include "messages.h"

#include <cerrno>

#include "text_pairs.h"

namespace q36 {

std::string ChannelFrequencyErrorText(int channel) {
    return Tr(txt::TxtChannel) + " " + std::to_string(channel) + " " + Tr(txt::MsgFreqError);
}

std::string ChannelValueText(const std::string& channelKey, const std::string& column,
                             const std::string& value) {
    std::string text = Tr(txt::TxtChannel) + " " + channelKey + " " + column;
    if (!value.empty()) text += ": " + value;
    return text;
}

std::string FirmwareStatusText(const std::string& version) {
    return Tr(txt::TxtFirmware) + " " + version;
}

std::string PortOpenStatusText(const std::string& port) {
    return port + " " + Tr(txt::TxtPortOpen);
}

std::string PortBusyStatusText(const std::string& port) {
    return port + " " + Tr(txt::TxtPortBusy);
}

std::string PortBusyMessage(const std::string& port) {
    return Tr(txt::TxtPort) + " " + port + " " + Tr(txt::MsgPortBusy) + "\r\n" +
           Tr(txt::MsgChooseOtherPort);
}

std::string PortOpenErrorText(const std::string& componentText, int errorNumber,
                              const std::string& systemError) {
    const TextPair* reason = nullptr;
    switch (errorNumber) {
        case EBUSY:
        case EAGAIN:  // the lock of another program
#if EWOULDBLOCK != EAGAIN
        case EWOULDBLOCK:
#endif
            reason = &txt::MsgPortInUse;
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            reason = &txt::MsgPortMissing;
            break;
        case EACCES:
        case EPERM:
            reason = &txt::MsgPortNoPermission;
            break;
        default:
            break;
    }
    if (reason) {
        std::string text = Tr(*reason);
        if (!systemError.empty()) text += " (" + systemError + ")";
        return text;
    }
    return systemError.empty() ? componentText : componentText + ": " + systemError;
}

}  // namespace q36
