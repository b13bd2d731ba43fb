#pragma once
// Runs one read or write transfer from the command line: the serial port component on the
// port, the store as the data side, and a loop in place of the window's message loop.

#include <chrono>
#include <optional>
#include <string>

#include "progress_printer.h"
#include "protocol/transfer.h"
#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"
#include "store/store_transfer_host.h"

namespace q36::cli {

class CliTransferHost : public StoreTransferHost {
public:
    CliTransferHost(Connection& connection, ProgressPrinter& printer);

    // The port the transfer's bytes go to; none until RunTransfer sets it.
    void SetComm(TComm* comm) { comm_ = comm; }

    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    bool AskYesNo(const std::string& question) override;
    void SetProgress(int minimum, int maximum, int position) override;
    void SetProgressVisible(bool visible) override;
    void SetFirmwareStatus(const std::string& text) override;
    void StartResponseTimer() override;
    void StopResponseTimer() override;

    // The last message's reason, once one was shown.
    std::optional<TransferEvent> LastEvent() const { return lastEvent_; }
    // When the response timer fires, if it runs.
    std::optional<std::chrono::steady_clock::time_point> TimerDeadline() const { return deadline_; }

private:
    TComm* comm_ = nullptr;
    ProgressPrinter& printer_;
    std::optional<TransferEvent> lastEvent_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
};

enum class TransferKind { Read, Write };

// Opens the port, runs the transfer to its end and closes the port. Returns the exit code:
// done, port, refused, no answer, check, or failure. Messages go to the printer. The host's
// queries must be open.
int RunTransfer(TransferKind kind, const std::string& port, const std::string& password,
                CliTransferHost& host, ProgressPrinter& printer);

// How long the tool waits for the next delivery where the desktop program would wait without
// a timer (after a channel block, a read request or an acknowledgement).
inline constexpr std::chrono::seconds kSilenceLimit{5};

}  // namespace q36::cli
