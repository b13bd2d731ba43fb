#pragma once
// Pieces of SQL text the store builds itself.

#include <string>
#include <string_view>

namespace q36 {

// A table or column name as an identifier: [NAME]. Brackets, unlike double quotes, never fall
// back to a string literal when the name does not exist.
std::string QuoteName(std::string_view name);

// The name in upper case (ASCII letters only), the form names are compared in.
std::string UpperName(std::string_view name);

// Whether two names are equal ignoring ASCII case, as SQL compares identifiers.
bool SameName(std::string_view a, std::string_view b);

}  // namespace q36
