#include "cli_transfer.h"

#include <cerrno>

#include "cli_args.h"
#include "serial/radio_link_settings.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36::cli {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kResponseTimeout = std::chrono::milliseconds(2000);

int ExitCodeOf(TransferEvent event) {
    switch (event) {
        case TransferEvent::ReadDone:
        case TransferEvent::WriteDone: return ExitDone;
        case TransferEvent::Refused: return ExitRefused;
        case TransferEvent::Timeout:
        case TransferEvent::NoAnswer: return ExitNoAnswer;
        case TransferEvent::CheckFailed: return ExitCheck;
        case TransferEvent::PortNotOpen: return ExitPort;
        case TransferEvent::ReadFailed:
        case TransferEvent::StoreFailed: return ExitFailure;
    }
    return ExitFailure;
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

bool CliTransferHost::AskYesNo(const std::string&) { return true; }

void CliTransferHost::SetProgress(int minimum, int maximum, int position) {
    printer_.SetProgress(minimum, maximum, position);
}

void CliTransferHost::SetProgressVisible(bool visible) { printer_.SetVisible(visible); }

void CliTransferHost::SetFirmwareStatus(const std::string& text) { printer_.Message(text); }

void CliTransferHost::StartResponseTimer() { deadline_ = Clock::now() + kResponseTimeout; }

void CliTransferHost::StopResponseTimer() { deadline_.reset(); }

int RunTransfer(TransferKind kind, const std::string& port, const std::string& password,
                CliTransferHost& host, ProgressPrinter& printer) {
    QueueNoticeReceiver receiver;
    TComm comm(receiver);
    ApplyRadioLinkSettings(comm);
    comm.SetCommName(port);
    host.SetComm(&comm);
    struct Detach {
        CliTransferHost& host;
        ~Detach() { host.SetComm(nullptr); }
    } detach{host};
    Transfer transfer(host);
    transfer.Password = password;

    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        std::string text = PortBusyMessage(port) + "\r\n" + error.what();
        if (!error.SystemError().empty()) text += ": " + error.SystemError();
        if (error.ErrorNumber() == EACCES || error.ErrorNumber() == EPERM) {
            text += "\r\nhint: add your user to the 'dialout' group (sudo usermod -aG dialout $USER) and log in again";
        }
        printer.Message(text);
        return ExitPort;
    }
    transfer.PortOpen = true;

    auto lastActivity = Clock::now();
    bool hungUp = false;
    comm.OnReceiveData = [&](TComm&, const uint8_t* buffer, uint16_t length) {
        lastActivity = Clock::now();
        transfer.CommReceiveData(buffer, length);
    };
    comm.OnRequestHangup = [&](TComm&) { hungUp = true; };

    if (kind == TransferKind::Read) transfer.ReadTButClick();
    else transfer.WriteTButClick();

    int result = -1;
    while (result < 0) {
        if (host.LastEvent()) {
            result = ExitCodeOf(*host.LastEvent());
            break;
        }
        if (hungUp) {
            printer.Message(Tr(txt::MsgNoAnswer));
            result = ExitNoAnswer;
            break;
        }
        const auto now = Clock::now();
        if (host.TimerDeadline() && now >= *host.TimerDeadline()) {
            transfer.Timer1Timer();
            continue;
        }
        if (!host.TimerDeadline() && now - lastActivity >= kSilenceLimit) {
            printer.Message(Tr(txt::MsgNoAnswer));
            result = ExitNoAnswer;
            break;
        }
        auto wait = std::chrono::milliseconds(100);
        if (host.TimerDeadline()) {
            wait = std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(*host.TimerDeadline() - now) +
                                      std::chrono::milliseconds(1));
        }
        receiver.WaitAndDispatch(comm, wait);
    }
    comm.ClosePort();
    return result;
}

}  // namespace q36::cli
