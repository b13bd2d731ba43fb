#pragma once
// Records of fields with one separator character, as spreadsheets write them: the clipboard's
// tab-separated cells and comma-separated files alike. A field that holds the separator, a quote
// or a line break stands in double quotes with its quotes doubled; records end in "\n", "\r\n" or
// a lone "\r"; a UTF-8 byte order mark at the start is passed over.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q36 {

// One record as read, with the line of the text it starts on (from 1).
struct DelimitedRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Strict: a quote inside an unquoted field, text after a closing quote or a quoted field never
// closed make the text unreadable. Lenient (what a person may have typed): a quote opens a quoted
// field only as its first character, anything after the closing quote is kept, and an unclosed
// quote runs to the end of the text.
enum class QuoteRule { Strict, Lenient };

// The records of text; an empty text is no records. Nothing only for a strict rule broken.
std::optional<std::vector<DelimitedRecord>> ParseDelimited(std::string_view text, char separator,
                                                           QuoteRule rule);

// One record, each field quoted only where it must be, followed by lineEnd.
std::string DelimitedLine(const std::vector<std::string>& fields, char separator,
                          std::string_view lineEnd);

}  // namespace q36
