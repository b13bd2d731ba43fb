#pragma once
// Tests of typed and stored texts: digits only, and conversion to numbers, dates and times.

#include <string_view>

namespace q36 {

// True when every character is '0'..'9'; true for the empty text.
bool IsDigits(std::string_view text);

// Converts by the first letter of typeName (either case): A date and time, D date, F floating
// number, I integer, T time. True when the conversion succeeds; false otherwise or for another
// letter. Numbers use '.' as the decimal separator; dates are year-month-day.
bool IsValidAs(std::string_view text, std::string_view typeName);

// IsValidAs(text, "Float").
bool IsFloatText(std::string_view text);

// The integer a text of decimal digits (optionally signed, blanks around) denotes, if it fits in
// 32 bits; false for anything else, the empty text included.
bool TextToInt(std::string_view text, long long& value);

}  // namespace q36
