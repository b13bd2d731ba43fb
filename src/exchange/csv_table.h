#pragma once
// Comma-separated text as RFC 4180 words it: fields in double quotes where they hold a comma, a
// quote or a line break, a quote inside them doubled, records ending in CR LF (a bare LF is taken
// too when reading).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/delimited_text.h"

namespace q36::exchange {

// One record as read, with the line of the file it starts on (from 1).
using CsvRecord = DelimitedRecord;

// The records of text (a UTF-8 byte order mark at its start is passed over); nothing when a
// quoted field is never closed or a quote stands in the middle of an unquoted field.
inline std::optional<std::vector<CsvRecord>> ParseCsv(std::string_view text) {
    return ParseDelimited(text, ',', QuoteRule::Strict);
}

// One record, quoted where it must be, ending in CR LF.
inline std::string CsvLine(const std::vector<std::string>& fields) {
    return DelimitedLine(fields, ',', "\r\n");
}

}  // namespace q36::exchange
