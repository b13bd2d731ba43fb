#pragma once
// Comma-separated text as RFC 4180 words it: fields in double quotes where they hold a comma, a
// quote or a line break, a quote inside them doubled, records ending in CR LF (a bare LF is taken
// too when reading).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q36::exchange {

// One record as read, with the line of the file it starts on (from 1).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// The records of text (a UTF-8 byte order mark at its start is passed over); nothing when a
// quoted field is never closed or a quote stands in the middle of an unquoted field.
std::optional<std::vector<CsvRecord>> ParseCsv(std::string_view text);

// One record, quoted where it must be, ending in CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace q36::exchange
