#include "delimited_text.h"

namespace q36 {

std::optional<std::vector<DelimitedRecord>> ParseDelimited(std::string_view text, char separator,
                                                           QuoteRule rule) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const bool strict = rule == QuoteRule::Strict;
    std::vector<DelimitedRecord> records;
    DelimitedRecord record{1, {}};
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field was quoted and has been closed
    bool begun = false;      // something of the current record has been read
    int line = 1;
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = DelimitedRecord{line, {}};
        begun = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                wasQuoted = true;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == separator) {
            endField();
            begun = true;
        } else if (c == '\n' || c == '\r') {
            // "\r\n" is one line end.
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
        } else if (c == '"' && field.empty() && !wasQuoted) {
            quoted = true;
            begun = true;
        } else {
            if (strict && (c == '"' || wasQuoted)) return std::nullopt;
            field += c;
            begun = true;
        }
    }
    if (quoted && strict) return std::nullopt;
    if (begun || quoted || !field.empty()) endRecord();
    return records;
}

std::string DelimitedLine(const std::vector<std::string>& fields, char separator,
                          std::string_view lineEnd) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) line += separator;
        const std::string& field = fields[k];
        if (field.find_first_of(special) == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    line += lineEnd;
    return line;
}

}  // namespace q36
