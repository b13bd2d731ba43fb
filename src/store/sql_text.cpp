#include "sql_text.h"

namespace q36 {

std::string QuoteName(std::string_view name) {
    if (name.find(']') == std::string_view::npos) return "[" + std::string(name) + "]";
    std::string quoted = "\"";
    for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string UpperName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return upper;
}

bool SameName(std::string_view a, std::string_view b) {
    return UpperName(a) == UpperName(b);
}

}  // namespace q36
