#include "language.h"

#include <vector>

namespace q36 {

int LanguageIndex = 0;

std::string TrIn(const TextPair& pair, int language) {
    return std::string(language == 1 ? pair.en : pair.zh);
}

std::string Tr(const TextPair& pair) {
    return TrIn(pair, LanguageIndex);
}

std::size_t ChoiceCount(ChoiceList list) {
    return list.size() / 2;
}

std::string ChoiceAt(ChoiceList list, int k) {
    if (k < 0 || static_cast<std::size_t>(k) >= ChoiceCount(list)) return {};
    return std::string(list[2 * static_cast<std::size_t>(k) + (LanguageIndex == 1 ? 1 : 0)]);
}

std::vector<std::string> ChoiceEntries(ChoiceList list) {
    std::vector<std::string> entries;
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) entries.push_back(ChoiceAt(list, int(k)));
    return entries;
}

int ChoiceIndexOf(ChoiceList list, std::string_view text) {
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        if (ChoiceAt(list, int(k)) == text) return int(k);
    }
    return -1;
}

int ChoiceIndexOfAny(ChoiceList list, std::string_view text) {
    const int current = ChoiceIndexOf(list, text);
    if (current >= 0) return current;
    const std::size_t other = LanguageIndex == 1 ? 0 : 1;
    for (std::size_t k = 0; k < ChoiceCount(list); ++k) {
        if (list[2 * k + other] == text) return int(k);
    }
    return -1;
}

}  // namespace q36
