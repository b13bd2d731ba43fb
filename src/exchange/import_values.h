#pragma once
// The values an import stores: only those the editors could have produced, in the form the store
// keeps them, whatever form a spreadsheet gave the cell (a number for a key or a tone, blanks
// around a word).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace q36::exchange {

// The whole number 0 or more that a text reads as ("7", " 07 ", "7.0"), or nothing.
std::optional<long> WholeNumberOf(std::string_view text);

// The key a channel record names: "01".."24" for a whole number, the text trimmed otherwise.
std::string ChannelKeyOf(std::string_view text);

// The key a scan list record names: "1".."5" for a whole number, the text trimmed otherwise.
std::string ScanKeyOf(std::string_view text);

// The stored form of the value of a PARAMETABLE column, or nothing when no editor gives it: a
// word of its list in language (of either language when eitherLanguage), "True"/"False", or up
// to its length of digits (possibly none).
std::optional<std::string> CommonValueOf(std::string_view column, std::string_view text,
                                         int language, bool eitherLanguage);

// The stored form of channel column k's value, for every column but the key, the frequencies and
// the tone values: "True"/"False", a tone type, a word of its list (as for CommonValueOf), a
// squelch level "0".."8".
std::optional<std::string> ChannelValueOf(int k, std::string_view text, int language,
                                          bool eitherLanguage);

// The tone value as its type's table writes it: "100" or 100 gives "100.0" for CTCSS, "023"
// gives "23" for DCS; empty for the type "NULL", whose value the editor clears. Nothing for a
// value in no entry of its table (also an empty one).
std::optional<std::string> ToneValueOf(std::string_view type, std::string_view text);

// A scan slot as the store keeps it: a channel name "CH01".."CH24", or "NULL", which an emptied
// cell stands for too.
std::optional<std::string> ScanSlotOf(std::string_view text);

}  // namespace q36::exchange
