#include "exchange_status.h"

#include <cstring>

namespace q36::exchange {

std::string DetailWithPath(const std::string& reason, const std::string& path) {
    return reason + ": " + path;
}

std::string SystemErrorText(int err) {
    char buffer[256];
    // The GNU variant may return a static text instead of filling the buffer.
    return std::string(strerror_r(err, buffer, sizeof buffer));
}

}  // namespace q36::exchange
