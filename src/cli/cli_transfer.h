#pragma once
// Runs one read or write transfer from the command line: the serial port component on the
// port, the runner's loop in place of the window's event loop, the store as the data side, and
// the printer for what the user sees.

#include <optional>
#include <string>

#include "progress_printer.h"
#include "protocol/transfer.h"
#include "serial/tcomm.h"

namespace q36::cli {

// What the user sees of a transfer, on the printer, and the line it sends on.
class CliEffects final : public TransferEffects {
  public:
    CliEffects(TComm& comm, ProgressPrinter& printer) : comm_(comm), printer_(printer) {}

    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    void SetProgress(int minimum, int maximum, int position) override;
    void SetProgressVisible(bool visible) override;
    void SetFirmwareStatus(const std::string& text) override;

    // The last message's reason, once one was shown.
    std::optional<TransferEvent> LastEvent() const { return lastEvent_; }

  private:
    TComm& comm_;
    ProgressPrinter& printer_;
    std::optional<TransferEvent> lastEvent_;
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
// data side's queries must be open.
int RunTransfer(TransferKind kind, const TransferTarget& target, const RunSettings& settings,
                TransferData& data, ProgressPrinter& printer);

}  // namespace q36::cli
