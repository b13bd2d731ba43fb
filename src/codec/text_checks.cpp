#include "text_checks.h"

#include <cctype>
#include <climits>

#include "frequency.h"

namespace q36 {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool ParseIntegerText(std::string_view text, long long& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    long long result = 0;
    for (char c : text) {
        int digit;
        if (base == 10 && c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && IsHexDigit(c)) {
            digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                : (std::toupper(c) - 'A' + 10);
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > 0xFFFFFFFFLL) return false;
    }
    if (base == 10) {
        if (negative ? result > -(long long)INT_MIN : result > INT_MAX) return false;
    }
    value = negative ? -result : result;
    return true;
}

// Reads an unsigned decimal number of 1..maxDigits digits from the front of text.
bool TakeNumber(std::string_view& text, int maxDigits, int& value) {
    int count = 0;
    value = 0;
    while (!text.empty() && count < maxDigits && text.front() >= '0' && text.front() <= '9') {
        value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
        ++count;
    }
    return count > 0;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool TakeDate(std::string_view& text) {
    int year, month, day;
    if (!TakeNumber(text, 4, year) || text.empty()) return false;
    const char sep = text.front();
    if (sep != '-' && sep != '/' && sep != '.') return false;
    text.remove_prefix(1);
    if (!TakeNumber(text, 2, month) || text.empty() || text.front() != sep) return false;
    text.remove_prefix(1);
    if (!TakeNumber(text, 2, day)) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    const int last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= last;
}

bool TakeTime(std::string_view& text) {
    int hour, minute, second = 0;
    if (!TakeNumber(text, 2, hour) || text.empty() || text.front() != ':') return false;
    text.remove_prefix(1);
    if (!TakeNumber(text, 2, minute)) return false;
    if (!text.empty() && text.front() == ':') {
        text.remove_prefix(1);
        if (!TakeNumber(text, 2, second)) return false;
        if (!text.empty() && text.front() == '.') {
            text.remove_prefix(1);
            int millis;
            if (!TakeNumber(text, 3, millis)) return false;
        }
    }
    return hour <= 23 && minute <= 59 && second <= 59;
}

bool IsDateText(std::string_view text) {
    text = Trim(text);
    return TakeDate(text) && text.empty();
}

bool IsTimeText(std::string_view text) {
    text = Trim(text);
    return TakeTime(text) && text.empty();
}

bool IsDateTimeText(std::string_view text) {
    text = Trim(text);
    std::string_view rest = text;
    if (TakeDate(rest)) {
        if (rest.empty()) return true;
        if (rest.front() != ' ') return false;
        rest = Trim(rest);
        return TakeTime(rest) && rest.empty();
    }
    return IsTimeText(text);
}

}  // namespace

bool IsDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool TextToInt(std::string_view text, long long& value) {
    long long parsed;
    if (!ParseIntegerText(text, parsed)) return false;
    if (parsed > INT_MAX || parsed < INT_MIN) return false;
    value = parsed;
    return true;
}

bool IsValidAs(std::string_view text, std::string_view typeName) {
    if (typeName.empty()) return false;
    long long unused;
    switch (std::toupper(static_cast<unsigned char>(typeName.front()))) {
        case 'A':
            return IsDateTimeText(text);
        case 'D':
            return IsDateText(text);
        case 'F':
            return ParseDecimalText(text).has_value();
        case 'I':
            return ParseIntegerText(text, unused);
        case 'T':
            return IsTimeText(text);
        default:
            return false;
    }
}

bool IsFloatText(std::string_view text) {
    return IsValidAs(text, "Float");
}

}  // namespace q36
