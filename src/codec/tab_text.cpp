#include "tab_text.h"

#include "delimited_text.h"

namespace q36 {

TextBlock ParseTabText(std::string_view text) {
    TextBlock block;
    auto records = ParseDelimited(text, '\t', QuoteRule::Lenient);
    // The lenient rule never refuses a text.
    for (DelimitedRecord& record : records.value()) block.push_back(std::move(record.fields));
    return block;
}

std::string WriteTabText(const TextBlock& block) {
    std::string text;
    for (const auto& row : block) text += DelimitedLine(row, '\t', "\n");
    return text;
}

}  // namespace q36
