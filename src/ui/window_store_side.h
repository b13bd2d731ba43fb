#pragma once
// The main window's data side: the transfer's rows and common values kept in the configuration
// store. The line and the user's effects are the window's; calls for them are passed back to it.

#include "store/store_transfer_host.h"

namespace q36::ui {

class WindowStoreSide final : public StoreTransferHost {
  public:
    // window receives the line and effect calls; connection must outlive this object.
    WindowStoreSide(Connection& connection, TransferHost& window)
        : StoreTransferHost(connection), window_(window) {}
    // The scan query on the scan list editor's own connection.
    WindowStoreSide(Connection& connection, Connection& scanConnection, TransferHost& window)
        : StoreTransferHost(connection, scanConnection), window_(window) {}

    bool SendData(const uint8_t* data, uint16_t length) override {
        return window_.SendData(data, length);
    }
    void ShowMessage(TransferEvent event, const std::string& text) override {
        window_.ShowMessage(event, text);
    }
    bool AskYesNo(const std::string& question) override { return window_.AskYesNo(question); }
    void SetProgress(int minimum, int maximum, int position) override {
        window_.SetProgress(minimum, maximum, position);
    }
    void SetProgressVisible(bool visible) override { window_.SetProgressVisible(visible); }
    void SetFirmwareStatus(const std::string& text) override { window_.SetFirmwareStatus(text); }
    void StartResponseTimer() override { window_.StartResponseTimer(); }
    void StopResponseTimer() override { window_.StopResponseTimer(); }

  private:
    TransferHost& window_;
};

}  // namespace q36::ui
