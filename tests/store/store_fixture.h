#pragma once
// Test support for the store: private copies of the delivered database, damage done to them
// through the engine directly, other processes that hold a lock, and a transfer host over the
// store that records what the user would see.

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/connection.h"
#include "store/store_transfer_data.h"
#include "support/memory_host.h"
#include "support/store_copy.h"

namespace q36::test {

// Opens a connection on path with a short busy timeout, failing the test if it cannot.
std::unique_ptr<Connection> OpenStore(const std::string& path);

// Runs fn in a child process, as an unprivileged user when the tests run as root (who may write
// any file), and returns the text it produced.
std::string RunUnprivileged(const std::function<std::string()>& fn);

// The store as a transfer's data side, with effects that record what the user would see.
class RecordingStoreHost : public StoreTransferData, public RecordingEffects {
  public:
    using StoreTransferData::StoreTransferData;
};

}  // namespace q36::test
