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
#include "store/store_transfer_host.h"
#include "support/memory_host.h"
#include "support/store_copy.h"

namespace q36::test {

// Opens a connection on path with a short busy timeout, failing the test if it cannot.
std::unique_ptr<Connection> OpenStore(const std::string& path);

// Runs fn in a child process, as an unprivileged user when the tests run as root (who may write
// any file), and returns the text it produced.
std::string RunUnprivileged(const std::function<std::string()>& fn);

// A store-backed transfer host whose line goes to onSend and whose effects are recorded.
class RecordingStoreHost : public StoreTransferHost {
  public:
    using StoreTransferHost::StoreTransferHost;

    std::function<void(const uint8_t*, uint16_t)> onSend;
    std::vector<ShownMessage> messages;
    bool progressVisible = false;

    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    bool AskYesNo(const std::string&) override { return true; }
    void SetProgress(int, int, int) override {}
    void SetProgressVisible(bool visible) override { progressVisible = visible; }
    void SetFirmwareStatus(const std::string&) override {}
    void StartResponseTimer() override {}
    void StopResponseTimer() override {}
};

}  // namespace q36::test
