#pragma once
// Differences as JSON for scripts: an array of {"part", "number", "column", "a", "b"} objects.

#include <string>
#include <vector>

#include "codec/configuration.h"

namespace q36::cli {

// text as a JSON string, quotes included; UTF-8 passes through, control characters are escaped.
std::string JsonString(const std::string& text);

// The changes as one JSON array, each object on a line of its own; "part" is "common",
// "channel" or "scanlist", "a" and "b" the stored texts of the first and the second side.
std::string ChangesJson(const std::vector<FieldChange>& changes);

}  // namespace q36::cli
