#pragma once
// Conversions between the texts the store keeps and the values a workbook cell holds.

#include <optional>
#include <string>
#include <string_view>

namespace q36::exchange {

// The text without leading and trailing blanks (spaces and control characters).
std::string TrimBlanks(std::string_view text);

// The number a spreadsheet makes of a text typed into a number-formatted cell: a plain decimal
// with optional sign, point and exponent; nothing for any other text (also "inf", "nan", "0x1").
std::optional<double> NumberFromText(std::string_view text);

// The shortest decimal text that reads back as the same double: 400, 435.0125, -0.5; plain
// notation from 1e-5 up to 1e15, scientific beyond (1e+300).
std::string NumberText(double value);

// The text as UTF-16; an invalid UTF-8 sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

// The code point as UTF-8 appended to out; invalid code points become U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// The text with every invalid UTF-8 sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// A cell's text as a message quotes it: the first 40 characters, "…" after them when there are
// more, so that a refused cell of any length gives a message of a few words.
std::string QuotedCellText(std::string_view text);

}  // namespace q36::exchange
