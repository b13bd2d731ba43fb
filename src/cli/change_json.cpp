#include "change_json.h"

#include <cstdio>

namespace q36::cli {

namespace {

const char* PartName(FieldChange::Part part) {
    switch (part) {
        case FieldChange::Part::Common:
            return "common";
        case FieldChange::Part::Channel:
            return "channel";
        case FieldChange::Part::ScanList:
            return "scanlist";
    }
    return "common";
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ChangesJson(const std::vector<FieldChange>& changes) {
    std::string out = "[";
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const FieldChange& change = changes[i];
        out += std::string(i ? ",\n " : "\n ") + "{\"part\": \"" + PartName(change.part) +
               "\", \"number\": " + std::to_string(change.number) +
               ", \"column\": " + JsonString(change.column) +
               ", \"a\": " + JsonString(change.before) + ", \"b\": " + JsonString(change.after) +
               "}";
    }
    return out + (changes.empty() ? "]" : "\n]");
}

}  // namespace q36::cli
