#pragma once
// A configuration with every value in one spelling, so that two configurations from different
// sources (the store, a workbook, the radio's memory) compare by what they mean: a workbook
// holds 400 where a read stores 400.0000, and its list words in the language it was written in.

#include "configuration.h"

namespace q36 {

// configuration with each channel frequency that reads as a number written as the radio's units
// give it back ("400" -> "400.0000") and each list word of a channel in language ("高" -> "High"
// for English); values that are neither are kept as they are. A disabled channel keeps only its
// key and ENABLED, the rest empty. The common values are positions already and are not touched.
Configuration ComparableForm(Configuration configuration, int language);

// The differences from a to b by what they mean: Diff of their comparable forms.
std::vector<FieldChange> DiffComparable(const Configuration& a, const Configuration& b,
                                        int language);

}  // namespace q36
