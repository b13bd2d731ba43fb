#include "csv_table.h"

namespace q36::exchange {

std::optional<std::vector<CsvRecord>> ParseCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    std::string field;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the current field was quoted and has been closed
    bool anything = false;   // the current record has begun
    int line = 1;
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = CsvRecord{line, {}};
        anything = false;
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
        if (c == '"') {
            if (!field.empty() || wasQuoted) return std::nullopt;
            quoted = true;
            anything = true;
        } else if (c == ',') {
            endField();
            anything = true;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // the LF that follows ends the record
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else {
            if (wasQuoted) return std::nullopt;
            field += c;
            anything = true;
        }
    }
    if (quoted) return std::nullopt;
    if (anything || !field.empty()) endRecord();
    return records;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) line += ',';
        const std::string& field = fields[k];
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
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
    return line + "\r\n";
}

}  // namespace q36::exchange
