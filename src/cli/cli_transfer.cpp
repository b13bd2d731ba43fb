#include "cli_transfer.h"

#include <cerrno>

#include "cli_args.h"
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
    }
    return ExitFailure;
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

int RunTransfer(TransferKind kind, const TransferTarget& target, const RunSettings& settings,
                TransferData& data, ProgressPrinter& printer) {
    QueueNoticeReceiver receiver;
    TComm comm(receiver);
    ApplyRadioLinkSettings(comm);
    comm.SetCommName(target.port);
    CliEffects effects(comm, printer);
    const SystemClock clock;
    TransferRunner runner(data, effects, clock, settings);
    Transfer& transfer = runner.GetTransfer();
    transfer.Password = target.password;

    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        const int language = settings.LanguageIndex;
        std::string text =
            PortBusyMessage(target.port, language) + "\r\n" +
            PortOpenErrorText(error.what(), error.ErrorNumber(), error.SystemError(), language);
        if (error.ErrorNumber() == EACCES || error.ErrorNumber() == EPERM) {
            text +=
                "\r\nhint: add your user to the 'dialout' group (sudo usermod -aG dialout $USER) "
                "and log in again";
        }
        printer.Message(text);
        return ExitPort;
    }
    transfer.PortOpen = true;

    // Naming the file on the command line is the user's yes: no question is asked.
    if (kind == TransferKind::Read ? runner.PrepareRead() : runner.PrepareWrite()) {
        kind == TransferKind::Read ? runner.StartRead() : runner.StartWrite();
        // Once asked to stop, nothing more is answered: the radio keeps what it had.
        runner.RunOnPort(comm, receiver, [] { return StopSignal() != 0; });
    }
    // The last frame (an acknowledgement, a refusal, the block under way when stopped) goes out
    // whole before the port is given up.
    ClosePortDrained(comm);
    if (runner.Running()) {
        printer.Message(
            kind == TransferKind::Read
                ? Tr(txt::MsgStoppedRead, settings.LanguageIndex)
                : StoppedWriteText(transfer.AcceptedWrite(), target.file, settings.LanguageIndex));
        return ExitCodeOfSignal(StopSignal());
    }
    return effects.LastEvent() ? ExitCodeOf(*effects.LastEvent()) : ExitNoAnswer;
}

}  // namespace q36::cli
