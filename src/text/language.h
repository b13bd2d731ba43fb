#pragma once
// Chinese/English text pairs and the one index that chooses between them.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q36 {

// 0 shows the Chinese text of every pair, 1 the English text.
extern int LanguageIndex;

// One user-visible text in both languages: [0] Chinese, [1] English (UTF-8).
struct TextPair {
    std::string_view zh;
    std::string_view en;
};

// The text of the pair in the current language.
std::string Tr(const TextPair& pair);

// The text of the pair in the given language (0 or 1), whatever the current one is.
std::string TrIn(const TextPair& pair, int language);

// A pick list stored as consecutive pairs: entry k is list[2k + LanguageIndex].
using ChoiceList = std::span<const std::string_view>;

// Number of entries of a pick list.
std::size_t ChoiceCount(ChoiceList list);

// Entry k of a pick list in the current language; empty when k is out of range.
std::string ChoiceAt(ChoiceList list, int k);

// Entries of a pick list in the current language, in list order.
std::vector<std::string> ChoiceEntries(ChoiceList list);

// Position of text among the entries of the current language, or -1.
int ChoiceIndexOf(ChoiceList list, std::string_view text);

// Position of text among the entries of the current language, else among those of the other
// language (a workbook of the other language may have stored them), or -1.
int ChoiceIndexOfAny(ChoiceList list, std::string_view text);

}  // namespace q36
