#pragma once
// One stored value and the rules that turn it into the texts and numbers the program reads and
// writes, by the kind of its column. The rules live here, not in the engine's type affinity.

#include <string>
#include <string_view>
#include <variant>

#include "protocol/store_result.h"
#include "schema.h"

namespace q36 {

// No value, an integer, a floating number or a text, as the engine holds them.
using FieldValue = std::variant<std::monostate, long long, double, std::string>;

// The shortest decimal text that reads back as the same number: 400 gives "400", 435.0125
// gives "435.0125". Plain notation from 1e-5 up to 1e15, scientific beyond.
std::string ShortestDecimalText(double value);

// The text a value reads as in a column of the kind; no value reads as the empty text.
std::string FieldValueText(ColumnKind kind, const FieldValue& value);

// What a column of the kind stores for a typed text; a Conversion error, and out untouched, for
// a text it cannot hold.
StoreResult FieldValueFromText(ColumnKind kind, std::string_view text, FieldValue& out);

// What a column of the kind stores for an integer (a boolean column: nonzero is true).
FieldValue FieldValueFromInteger(ColumnKind kind, long long value);

// The value as a 32-bit integer (no value gives 0; a floating number is rounded); a Conversion
// error for a text that is not an integer or a number beyond the range.
StoreResult FieldValueInteger(const FieldValue& value, int& out);

// The value as a floating number (no value gives 0); a Conversion error for a text that is not
// a number.
StoreResult FieldValueFloat(const FieldValue& value, double& out);

}  // namespace q36
