#include "tab_text.h"

namespace q36 {

namespace {

bool NeedsQuotes(std::string_view field) {
    return field.find_first_of("\t\n\r\"") != std::string_view::npos;
}

}  // namespace

TextBlock ParseTabText(std::string_view text) {
    TextBlock block;
    if (text.empty()) return block;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool rowOpen = false;  // something of the current row has been read
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
    };
    auto endRow = [&] {
        endField();
        block.push_back(std::move(row));
        row.clear();
        rowOpen = false;
    };
    while (i < n) {
        rowOpen = true;
        if (field.empty() && text[i] == '"') {
            // Quoted: up to the quote that is not doubled; what follows it up to the separator
            // is kept as it stands.
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            continue;
        }
        const char c = text[i++];
        if (c == '\t') {
            endField();
        } else if (c == '\n') {
            endRow();
        } else if (c == '\r') {
            if (i < n && text[i] == '\n') ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (rowOpen) endRow();
    return block;
}

std::string WriteTabText(const TextBlock& block) {
    std::string text;
    for (const auto& row : block) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (k > 0) text += '\t';
            const std::string& field = row[k];
            if (!NeedsQuotes(field)) {
                text += field;
                continue;
            }
            text += '"';
            for (const char c : field) {
                if (c == '"') text += '"';
                text += c;
            }
            text += '"';
        }
        text += '\n';
    }
    return text;
}

}  // namespace q36
