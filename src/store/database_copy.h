#pragma once
// Copying the store's file through the engine, so that the copy is a consistent snapshot even
// while another program writes the file, and a damaged or missing file is reported in the
// engine's words with its own path.

#include <string>

#include "protocol/store_result.h"

namespace q36 {

// Copies the database at from into a new file at to (which must not exist), waiting up to
// busyTimeoutMs for a writer's lock. A write-protected source is copied all the same. On failure
// nothing is left at to, and the text is the engine's message followed by from's path.
StoreResult CopyDatabaseFile(const std::string& from, const std::string& to, int busyTimeoutMs);

}  // namespace q36
