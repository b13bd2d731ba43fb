#include "version_text.h"

#include <array>
#include <charconv>

#ifndef Q36_PROGRAM_VERSION
#define Q36_PROGRAM_VERSION ""
#endif

namespace q36::ui {

std::string FourPartVersion(std::string_view version) {
    const std::string none = "0.0.0.0";
    std::array<unsigned, 4> parts{};
    std::size_t count = 0;
    while (!version.empty()) {
        if (count == parts.size()) return none;
        const std::size_t dot = version.find('.');
        const std::string_view part = version.substr(0, dot);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        // Each part is one 16-bit half of a version word.
        if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
            value > 0xFFFF) {
            return none;
        }
        parts[count++] = value;
        if (dot == std::string_view::npos) break;
        version.remove_prefix(dot + 1);
        if (version.empty()) return none;
    }
    if (count == 0) return none;
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

std::string ProgramVersionText() {
    return FourPartVersion(Q36_PROGRAM_VERSION);
}

}  // namespace q36::ui
