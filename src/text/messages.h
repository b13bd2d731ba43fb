#pragma once
// Messages composed of several pairs, built in the language the caller names.

#include <string>

namespace q36 {

// "信道 5 频率错误！" / "Channel 5 Frequency Error!"
std::string ChannelFrequencyErrorText(int channel, int language);

// "信道 07 发数值: 100": where a refused channel value is, and what it is; without ": value" when
// the value is empty.
std::string ChannelValueText(const std::string& channelKey, const std::string& column,
                             const std::string& value, int language);

// The firmware status: label, a space, and the version text ("固件版本： 1.0.3").
std::string FirmwareStatusText(const std::string& version, int language);

// Status-bar text of an opened port: "<port> 打开" / "<port> Open".
std::string PortOpenStatusText(const std::string& port, int language);

// Status-bar text of a port that failed to open: "<port> 占用" / "<port> Busy".
std::string PortBusyStatusText(const std::string& port, int language);

// The two-line message shown when a port cannot be opened.
std::string PortBusyMessage(const std::string& port, int language);

// Why a port could not be opened, for the line below PortBusyMessage. A port in use, missing or
// not permitted (told by the system's errorNumber) is said in language, with the system's own
// text in brackets; otherwise the serial component's text and the system's.
std::string PortOpenErrorText(const std::string& componentText, int errorNumber,
                              const std::string& systemError, int language);

}  // namespace q36
