#include "cli_transfer.h"

#include <cerrno>

#include "cli_args.h"
#include "serial/radio_link_settings.h"
#include "stop_report.h"
#include "stop_signals.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36::cli {

namespace {

using Clock = std::chrono::steady_clock;

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

// The earlier of a deadline and a limit, as a wait from now.
std::chrono::milliseconds WaitUntil(std::optional<Clock::time_point> deadline,
                                    Clock::time_point now, std::chrono::milliseconds limit) {
    if (!deadline) return limit;
    return std::min(limit, std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - now) +
                               std::chrono::milliseconds(1));
}

}  // namespace

CliTransferHost::CliTransferHost(Connection& connection, ProgressPrinter& printer)
    : StoreTransferHost(connection), printer_(printer) {}

bool CliTransferHost::SendData(const uint8_t* data, uint16_t length) {
    return comm_ != nullptr && comm_->SendData(data, length);
}

void CliTransferHost::ShowMessage(TransferEvent event, const std::string& text) {
    lastEvent_ = event;
    printer_.Message(text);
}

bool CliTransferHost::AskYesNo(const std::string&) {
    return true;
}

void CliTransferHost::SetProgress(int minimum, int maximum, int position) {
    printer_.SetProgress(minimum, maximum, position);
}

void CliTransferHost::SetProgressVisible(bool visible) {
    printer_.SetVisible(visible);
}

void CliTransferHost::SetFirmwareStatus(const std::string& text) {
    printer_.Message(text);
}

void CliTransferHost::StartResponseTimer() {
    deadline_ = Clock::now() + std::chrono::milliseconds(Transfer::ResponseTimeoutMs);
}

void CliTransferHost::StopResponseTimer() {
    deadline_.reset();
}

void CliTransferHost::StartSilenceTimer() {
    silenceDeadline_ = Clock::now() + std::chrono::milliseconds(Transfer::SilenceLimitMs);
}

void CliTransferHost::StopSilenceTimer() {
    silenceDeadline_.reset();
}

int RunTransfer(TransferKind kind, const TransferTarget& target, CliTransferHost& host,
                ProgressPrinter& printer) {
    QueueNoticeReceiver receiver;
    TComm comm(receiver);
    ApplyRadioLinkSettings(comm);
    comm.SetCommName(target.port);
    host.SetComm(&comm);
    struct Detach {
        CliTransferHost& host;
        ~Detach() { host.SetComm(nullptr); }
    } detach{host};
    Transfer transfer(host);
    transfer.Password = target.password;

    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        std::string text =
            PortBusyMessage(target.port) + "\r\n" +
            PortOpenErrorText(error.what(), error.ErrorNumber(), error.SystemError());
        if (error.ErrorNumber() == EACCES || error.ErrorNumber() == EPERM) {
            text +=
                "\r\nhint: add your user to the 'dialout' group (sudo usermod -aG dialout $USER) "
                "and log in again";
        }
        printer.Message(text);
        return ExitPort;
    }
    transfer.PortOpen = true;

    comm.OnReceiveData = [&](TComm&, const uint8_t* buffer, uint16_t length) {
        // Once asked to stop, nothing more is answered: the radio keeps what it had.
        if (StopSignal() == 0) transfer.CommReceiveData(buffer, length);
    };
    comm.OnRequestHangup = [&](TComm&) { transfer.PortLost(true); };

    if (kind == TransferKind::Read)
        transfer.ReadTButClick();
    else
        transfer.WriteTButClick();

    int result = -1;
    bool stopped = false;
    while (result < 0) {
        if (host.LastEvent()) {
            result = ExitCodeOf(*host.LastEvent());
            break;
        }
        if (const int signal = StopSignal()) {
            result = ExitCodeOfSignal(signal);
            stopped = true;
            break;
        }
        const auto now = Clock::now();
        if (host.TimerDeadline() && now >= *host.TimerDeadline()) {
            transfer.Timer1Timer();
            continue;
        }
        if (host.SilenceDeadline() && now >= *host.SilenceDeadline()) {
            transfer.SilenceTimeout();
            continue;
        }
        auto wait = WaitUntil(host.TimerDeadline(), now, std::chrono::milliseconds(100));
        wait = WaitUntil(host.SilenceDeadline(), now, wait);
        receiver.WaitAndDispatch(comm, wait);
    }
    // The last frame (an acknowledgement, a refusal, the block under way when stopped) goes out
    // whole before the port is given up.
    comm.Drain();
    comm.ClosePort();
    if (stopped) {
        printer.Message(kind == TransferKind::Read
                            ? Tr(txt::MsgStoppedRead)
                            : StoppedWriteText(transfer.AcceptedWrite(), target.file));
    }
    return result;
}

}  // namespace q36::cli
