#include "language.h"

#include <vector>

namespace q36 {

namespace {

std::size_t TextIndex(int language) {
    return language == LANGUAGE_ENGLISH ? 1 : 0;
}

}  // namespace

std::string Tr(const TextPair& pair, int language) {
    return std::string(TextIndex(language) == 1 ? pair.en : pair.zh);
}

std::size_t ChoiceCount(ChoiceList list) {
    return list.size() / 2;
}

std::string ChoiceAt(ChoiceList list, int k, int language) {
    if (k < 0 || static_cast<std::size_t>(k) >= ChoiceCount(list)) return {};
    return std::string(list[2 * static_cast<std::size_t>(k) + TextIndex(language)]);
}

std::vector<std::string> ChoiceEntries(ChoiceList list, int language) {
    std::vector<std::string> entries;
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        entries.push_back(ChoiceAt(list, int(k), language));
    }
    return entries;
}

int ChoiceIndexOf(ChoiceList list, std::string_view text, int language) {
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        if (ChoiceAt(list, int(k), language) == text) return int(k);
    }
    return -1;
}

int ChoiceIndexOfAny(ChoiceList list, std::string_view text, int language) {
    const int current = ChoiceIndexOf(list, text, language);
    if (current >= 0) return current;
    const std::size_t other = 1 - TextIndex(language);
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        if (list[2 * k + other] == text) return int(k);
    }
    return -1;
}

std::string Fill(std::string text, std::string_view name, std::string_view value) {
    for (std::size_t at = text.find(name); at != std::string::npos;
         at = text.find(name, at + value.size())) {
        text.replace(at, name.size(), value);
    }
    return text;
}

}  // namespace q36
