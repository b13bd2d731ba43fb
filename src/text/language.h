#pragma once
// Chinese/English text pairs and the pick lists made of them; every text is taken in a language
// the caller names (0 Chinese, 1 English).

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q36 {

// The two languages, as the index of a pair's text.
inline constexpr int LANGUAGE_CHINESE = 0;
inline constexpr int LANGUAGE_ENGLISH = 1;

// One user-visible text in both languages: [0] Chinese, [1] English (UTF-8).
struct TextPair {
    std::string_view zh;
    std::string_view en;
};

// The text of the pair in language; any language but English gives the Chinese text.
std::string Tr(const TextPair& pair, int language);

// text with every occurrence of name (a placeholder such as "{file}") replaced by value.
std::string Fill(std::string text, std::string_view name, std::string_view value);

// A pick list stored as consecutive pairs: entry k is list[2k + language].
using ChoiceList = std::span<const std::string_view>;

// Number of entries of a pick list.
std::size_t ChoiceCount(ChoiceList list);

// Entry k of a pick list in language; empty when k is out of range.
std::string ChoiceAt(ChoiceList list, int k, int language);

// Entries of a pick list in language, in list order.
std::vector<std::string> ChoiceEntries(ChoiceList list, int language);

// Position of text among the entries of language, or -1.
int ChoiceIndexOf(ChoiceList list, std::string_view text, int language);

// Position of text among the entries of language, else among those of the other language (a
// workbook of the other language may have stored them), or -1.
int ChoiceIndexOfAny(ChoiceList list, std::string_view text, int language);

}  // namespace q36
