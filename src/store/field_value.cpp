#include "field_value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "codec/frequency.h"
#include "codec/text_checks.h"
#include "sql_text.h"

namespace q36 {

namespace {

StoreResult ConversionError(std::string_view text, std::string_view what) {
    return StoreResult::Error(StoreErrc::Conversion,
                              "'" + std::string(text) + "' is not a valid " + std::string(what));
}

// Reads a decimal text exactly as written and only then rounds it to the nearest double, so
// that the conversion does not depend on the process's locale.
bool ParseFloatText(std::string_view text, double& out) {
    const auto decimal = ParseDecimalText(text);
    if (!decimal) return false;
    std::string plain = decimal->negative ? "-" : "";
    plain += decimal->intDigits.empty() ? "0" : decimal->intDigits;
    if (!decimal->fracDigits.empty()) plain += "." + decimal->fracDigits;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

std::string BooleanText(bool value) {
    return value ? "True" : "False";
}

}  // namespace

std::string ShortestDecimalText(double value) {
    if (value == 0) return "0";  // also for -0
    const double magnitude = std::fabs(value);
    const auto format = magnitude >= 1e-5 && magnitude < 1e15 ? std::chars_format::fixed
                                                              : std::chars_format::scientific;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    if (ec != std::errc()) return {};
    return std::string(buffer, end);
}

std::string FieldValueText(ColumnKind kind, const FieldValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return {};
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* integer = std::get_if<long long>(&value)) {
        if (kind == ColumnKind::Boolean) return BooleanText(*integer != 0);
        return std::to_string(*integer);
    }
    const double number = std::get<double>(value);
    if (kind == ColumnKind::Boolean) return BooleanText(number != 0);
    return ShortestDecimalText(number);
}

StoreResult FieldValueFromText(ColumnKind kind, std::string_view text, FieldValue& out) {
    if (text.empty()) {
        out = std::monostate{};
        return StoreResult::Ok();
    }
    switch (kind) {
        case ColumnKind::Text:
            out = std::string(text);
            return StoreResult::Ok();
        case ColumnKind::Boolean:
            if (SameName(text, "True") || text == "1") {
                out = 1LL;
            } else if (SameName(text, "False") || text == "0") {
                out = 0LL;
            } else {
                return ConversionError(text, "boolean value");
            }
            return StoreResult::Ok();
        case ColumnKind::Floating: {
            double number = 0;
            if (!ParseFloatText(text, number)) return ConversionError(text, "floating point value");
            out = number;
            return StoreResult::Ok();
        }
    }
    return ConversionError(text, "value");
}

FieldValue FieldValueFromInteger(ColumnKind kind, long long value) {
    switch (kind) {
        case ColumnKind::Boolean:
            return value != 0 ? 1LL : 0LL;
        case ColumnKind::Floating:
            return static_cast<double>(value);
        case ColumnKind::Text:
            break;
    }
    return std::to_string(value);
}

StoreResult FieldValueInteger(const FieldValue& value, int& out) {
    constexpr long long kMin = std::numeric_limits<int>::min();
    constexpr long long kMax = std::numeric_limits<int>::max();
    long long result = 0;
    if (const auto* integer = std::get_if<long long>(&value)) {
        result = *integer;
    } else if (const auto* number = std::get_if<double>(&value)) {
        const double rounded = std::round(*number);
        if (!(rounded >= double(kMin) && rounded <= double(kMax))) {
            return ConversionError(ShortestDecimalText(*number), "integer value");
        }
        result = static_cast<long long>(rounded);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        if (!TextToInt(*text, result)) return ConversionError(*text, "integer value");
    }
    if (result < kMin || result > kMax) {
        return ConversionError(std::to_string(result), "integer value");
    }
    out = static_cast<int>(result);
    return StoreResult::Ok();
}

StoreResult FieldValueFloat(const FieldValue& value, double& out) {
    if (const auto* integer = std::get_if<long long>(&value)) {
        out = static_cast<double>(*integer);
    } else if (const auto* number = std::get_if<double>(&value)) {
        out = *number;
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        double parsed = 0;
        if (!ParseFloatText(*text, parsed)) return ConversionError(*text, "floating point value");
        out = parsed;
    } else {
        out = 0;
    }
    return StoreResult::Ok();
}

}  // namespace q36
