#include "cli_transfer.h"

#include <cerrno>
#include <ctime>

#include "cli_args.h"
#include "codec/change_words.h"
#include "exchange/backup_files.h"
#include "exchange/data_folder.h"
#include "exchange/programming_log.h"
#include "exchange/replacing_file.h"
#include "runner/connection_texts.h"
#include "runner/transfer_runner.h"
#include "serial/radio_link_settings.h"
#include "stop_report.h"
#include "stop_signals.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36::cli {

namespace {

int ExitCodeOf(TransferEvent event) {
    switch (event) {
        case TransferEvent::ReadDone:
        case TransferEvent::WriteDone:
            return ExitDone;
        case TransferEvent::Refused:
            return ExitRefused;
        case TransferEvent::Timeout:
        case TransferEvent::NoAnswer:
            return ExitNoAnswer;
        case TransferEvent::CheckFailed:
            return ExitCheck;
        case TransferEvent::PortNotOpen:
            return ExitPort;
        case TransferEvent::ReadFailed:
        case TransferEvent::StoreFailed:
            return ExitFailure;
        case TransferEvent::VerifyFailed:
            return ExitVerify;
    }
    return ExitFailure;
}

// The log's lines for a transfer: one per stage.
void LogStages(const std::vector<StageRecord>& records, const TransferTarget& target,
               const RunSettings& settings, const std::string& firmware,
               const std::string& backupFile, ProgressPrinter& printer) {
    const exchange::ProgrammingLogEntry base{
        "q36cli", target.port, settings.BandText, firmware, "", "", "", "", target.file};
    if (const exchange::ExchangeStatus kept = exchange::AppendStages(records, base, backupFile);
        !kept.ok())
        printer.Message(Tr(txt::MsgLogNotKept, settings.LanguageIndex) + " " + kept.detail);
}

}  // namespace

bool CliEffects::SendData(const uint8_t* data, uint16_t length) {
    return comm_.SendData(data, length);
}

void CliEffects::ShowMessage(TransferEvent event, const std::string& text) {
    lastEvent_ = event;
    printer_.Message(text);
}

void CliEffects::SetProgress(int minimum, int maximum, int position) {
    printer_.SetProgress(minimum, maximum, position);
}

void CliEffects::SetProgressVisible(bool visible) {
    printer_.SetVisible(visible);
}

void CliEffects::SetFirmwareStatus(const std::string& text) {
    printer_.Message(text);
}

bool CliEffects::KeepBackup(const RadioImage& image, const Configuration& configuration,
                            const std::string& firmware, std::string& failure) {
    const auto saved = exchange::SaveBackup(exchange::BackupsFolder(), image, configuration,
                                            settings_, firmware, std::time(nullptr));
    if (!saved.ok()) {
        failure = saved.status().detail;
        return false;
    }
    backupFile_ = saved.value().workbook;
    printer_.Message(Fill(Tr(txt::MsgBackupSaved, settings_.LanguageIndex), "{file}",
                          backupFile_ + " (" + saved.value().image + ")"));
    return true;
}

bool CliEffects::ConfirmChanges(const std::vector<FieldChange>& changes) {
    printer_.Message(ChangeSummary(changes, settings_.LanguageIndex));
    return true;
}

int RunTransfer(TransferKind kind, const TransferTarget& target, const RunSettings& settings,
                TransferData& data, ProgressPrinter& printer) {
    QueueNoticeReceiver receiver;
    TComm comm(receiver);
    ApplyRadioLinkSettings(comm);
    comm.SetCommName(target.port);
    CliEffects effects(comm, printer, settings);
    const SystemClock clock;
    LineTrace trace(clock);
    LineTrace* traced = target.trace.empty() ? nullptr : &trace;
    const int language = settings.LanguageIndex;

    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        std::string text =
            PortBusyMessage(target.port, language) + "\r\n" +
            PortOpenErrorText(error.what(), error.ErrorNumber(), error.SystemError(), language);
        if (error.ErrorNumber() == EACCES || error.ErrorNumber() == EPERM) {
            text += "\r\n" + Tr(connection::texts::FixLabel, language) +
                    Tr(connection::texts::FixDialout, language);
        }
        printer.Message(text);
        return ExitPort;
    }
    const auto stopping = [] { return StopSignal() != 0; };

    std::vector<StageRecord> records;
    std::string firmware;
    std::string stoppedText;
    if (kind == TransferKind::Read) {
        TransferRunner runner(data, effects, clock, settings);
        runner.SetTrace(traced);
        Transfer& transfer = runner.GetTransfer();
        transfer.Password = target.password;
        transfer.PortOpen = true;
        // Naming the file on the command line is the user's yes: no question is asked.
        if (runner.PrepareRead()) {
            runner.StartRead();
            // Once asked to stop, nothing more is answered: the radio keeps what it had.
            runner.RunOnPort(comm, receiver, stopping);
        }
        if (runner.Running()) stoppedText = Tr(txt::MsgStoppedRead, language);
        firmware = transfer.Firmware;
        const std::optional<TransferEvent> event = effects.LastEvent();
        records.push_back({WriteStage::Idle,
                           runner.Running() ? "stopped"
                           : event          ? ResultWord(*event)
                                            : "no-answer",
                           ""});
    } else {
        WriteSequence sequence(data, effects, clock, settings, target.safety);
        sequence.SetTrace(traced);
        if (sequence.Prepare(target.password, true)) {
            sequence.Start();
            sequence.RunOnPort(comm, receiver, stopping);
        }
        if (sequence.Running()) {
            switch (sequence.Stage()) {
                case WriteStage::Write:
                    stoppedText = StoppedWriteText(sequence.WriteTransfer()->AcceptedWrite(),
                                                   target.file, language);
                    break;
                case WriteStage::Verify:
                    stoppedText = Tr(txt::MsgStoppedInCheck, language);
                    break;
                default:
                    stoppedText = Tr(txt::MsgStoppedBeforeSending, language);
                    break;
            }
        }
        records = sequence.Records();
        firmware = sequence.Firmware();
    }
    // The last frame (an acknowledgement, a refusal, the block under way when stopped) goes out
    // whole before the port is given up.
    ClosePortDrained(comm);
    if (traced) {
        if (const exchange::ExchangeStatus saved =
                exchange::SaveTextFile(target.trace, trace.Text());
            !saved.ok())
            printer.Message(Tr(txt::MsgTraceNotSaved, language) + " " + saved.detail);
    }
    LogStages(records, target, settings, firmware, effects.BackupFile(), printer);
    if (!stoppedText.empty()) {
        printer.Message(stoppedText);
        return ExitCodeOfSignal(StopSignal());
    }
    return effects.LastEvent() ? ExitCodeOf(*effects.LastEvent()) : ExitNoAnswer;
}

}  // namespace q36::cli
