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
    void StartSilenceTimer() override;
    void StopSilenceTimer() override;

    // The last message's reason, once one was shown.
    std::optional<TransferEvent> LastEvent() const { return lastEvent_; }
    // When the response timer fires, if it runs.
    std::optional<std::chrono::steady_clock::time_point> TimerDeadline() const { return deadline_; }
    // When the silence limit runs out, if it runs.
    std::optional<std::chrono::steady_clock::time_point> SilenceDeadline() const {
        return silenceDeadline_;
    }

  private:
    TComm* comm_ = nullptr;
    ProgressPrinter& printer_;
    std::optional<TransferEvent> lastEvent_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::optional<std::chrono::steady_clock::time_point> silenceDeadline_;
};

enum class TransferKind { Read, Write };

// Where a transfer goes: the port, the radio's password, and the workbook it reads into or
// writes from (named in what the tool says).
struct TransferTarget {
    std::string port;
    std::string password;
    std::string file;
};

// Opens the port, runs the transfer to its end, lets the last frame out and closes the port.
// Returns the exit code: done, port, refused, no answer, check, or failure; 128 + the signal
// after SIGINT or SIGTERM, having said what the radio holds. Messages go to the printer. The
// host's queries must be open.
int RunTransfer(TransferKind kind, const TransferTarget& target, CliTransferHost& host,
                ProgressPrinter& printer);

}  // namespace q36::cli
