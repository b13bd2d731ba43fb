#pragma once
// Runs one read or write transfer from the command line: the serial port component on the
// port, the runner's loop in place of the window's event loop, the store as the data side, and
// the printer for what the user sees.

#include <optional>
#include <string>

#include "progress_printer.h"
#include "protocol/transfer.h"
#include "runner/write_sequence.h"
#include "serial/tcomm.h"

namespace q36::cli {

// What the user sees of a transfer, on the printer, and the line it sends on; for a write, the
// backup kept in the backups folder and the changes printed (naming the file was the yes).
class CliEffects final : public WriteSequenceFront {
  public:
    CliEffects(TComm& comm, ProgressPrinter& printer, const RunSettings& settings)
        : comm_(comm), printer_(printer), settings_(settings) {}

    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    void SetProgress(int minimum, int maximum, int position) override;
    void SetProgressVisible(bool visible) override;
    void SetFirmwareStatus(const std::string& text) override;

    bool KeepBackup(const RadioImage& image, const Configuration& configuration,
                    const std::string& firmware, std::string& failure) override;
    bool ConfirmChanges(const std::vector<FieldChange>& changes) override;

    // The last message's reason, once one was shown.
    std::optional<TransferEvent> LastEvent() const { return lastEvent_; }
    // The workbook of the backup kept, once one was.
    const std::string& BackupFile() const { return backupFile_; }

  private:
    TComm& comm_;
    ProgressPrinter& printer_;
    const RunSettings& settings_;
    std::optional<TransferEvent> lastEvent_;
    std::string backupFile_;
};

enum class TransferKind { Read, Write };

// Where a transfer goes: the port, the radio's password, and the workbook it reads into or
// writes from (named in what the tool says).
struct TransferTarget {
    std::string port;
    std::string password;
    std::string file;
    std::string trace;                 // where the line trace is saved; none when empty
    WriteSafety safety{false, false};  // a write's backup before and check after
};

// Opens the port, runs the transfer to its end, lets the last frame out and closes the port.
// Returns the exit code: done, port, refused, no answer, check, failure, or a check after a write
// that found differences; 128 + the signal after SIGINT or SIGTERM, having said what the radio
// holds. Messages go to the printer; each stage is recorded in the programming log. The data
// side's queries must be open.
int RunTransfer(TransferKind kind, const TransferTarget& target, const RunSettings& settings,
                TransferData& data, ProgressPrinter& printer);

}  // namespace q36::cli
