#include "messages.h"

#include <cerrno>

#include "text_pairs.h"

namespace q36 {

std::string ChannelFrequencyErrorText(int channel, int language) {
    return Tr(txt::TxtChannel, language) + " " + std::to_string(channel) + " " +
           Tr(txt::MsgFreqError, language);
}

std::string ChannelValueText(const std::string& channelKey, const std::string& column,
                             const std::string& value, int language) {
    std::string text = Tr(txt::TxtChannel, language) + " " + channelKey + " " + column;
    if (!value.empty()) text += ": " + value;
    return text;
}

std::string FirmwareStatusText(const std::string& version, int language) {
    return Tr(txt::TxtFirmware, language) + " " + version;
}

std::string PortOpenStatusText(const std::string& port, int language) {
    return port + " " + Tr(txt::TxtPortOpen, language);
}

std::string PortBusyStatusText(const std::string& port, int language) {
    return port + " " + Tr(txt::TxtPortBusy, language);
}

std::string PortBusyMessage(const std::string& port, int language) {
    return Tr(txt::TxtPort, language) + " " + port + " " + Tr(txt::MsgPortBusy, language) + "\r\n" +
           Tr(txt::MsgChooseOtherPort, language);
}

std::string PortOpenErrorText(const std::string& componentText, int errorNumber,
                              const std::string& systemError, int language) {
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
        std::string text = Tr(*reason, language);
        if (!systemError.empty()) text += " (" + systemError + ")";
        return text;
    }
    return systemError.empty() ? componentText : componentText + ": " + systemError;
}

}  // namespace q36
