#pragma once
// Runs transfers: the transfer state machine with its two timers kept against a clock, the
// port's notices handed to it, the rule for a port that vanishes, and the drain before a port is
// closed. The command-line tool runs a whole transfer on a port with it; the window drives the
// same runner from its own event loop; tests run it over the in-process link to a virtual radio
// with a clock that moves only to the next deadline.

#include <functional>
#include <optional>
#include <vector>

#include "clock.h"
#include "line_trace.h"
#include "protocol/transfer.h"
#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"

namespace q36 {

class TransferRunner final : private TransferTimers {
  public:
    // settings must outlive the runner (the transfer reads them at each step).
    TransferRunner(TransferData& data, TransferEffects& effects, const Clock& clock,
                   const RunSettings& settings);
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;

    // The state machine: its state for the front ends, its password and port flag to set.
    Transfer& GetTransfer() { return transfer_; }
    const Transfer& GetTransfer() const { return transfer_; }
    bool Running() const { return transfer_.Running(); }

    // The commands, the front end's question between Prepare and Start (see Transfer).
    bool PrepareRead() { return transfer_.PrepareRead(); }
    void StartRead() { transfer_.StartRead(); }
    bool PrepareWrite() { return transfer_.PrepareWrite(); }
    void StartWrite() { transfer_.StartWrite(); }

    // Records what the transfer sends and receives from now on into trace (none: nothing).
    void SetTrace(LineTrace* trace) { effects_.trace = trace; }

    // A delivery of the line.
    void Deliver(const uint8_t* buffer, uint16_t length);
    // The port's line hung up (the cable was pulled): the port is given up, and a transfer under
    // way ends with the no-answer message.
    void PortVanished(TComm& comm);
    // Fires the timers that are due by now: the response timer, then the silence limit.
    void Tick();
    // When the next timer is due, if one runs.
    std::optional<Clock::TimePoint> NextDeadline() const;

    // Hands comm's notices to the runner (comm's receive and hangup handlers become the
    // runner's) and fires its timers until done() is true; done is asked before every wait.
    // Deliveries that arrive once stopping() is true are dropped, so nothing more is sent.
    void Serve(TComm& comm, QueueNoticeReceiver& receiver, const std::function<bool()>& done,
               const std::function<bool()>& stopping = {});
    // Serves comm until the transfer started on it has ended or stopping() is true.
    void RunOnPort(TComm& comm, QueueNoticeReceiver& receiver,
                   const std::function<bool()>& stopping = {});
    // Runs the transfer started over an in-process link until it ends: nextDelivery gives the
    // radio's next answer (false when it has none), and while the radio is silent the clock moves
    // to the next deadline. Stops, the transfer still waiting, when no timer runs either.
    void RunOnLink(const std::function<bool(std::vector<uint8_t>&)>& nextDelivery,
                   ManualClock& clock);

  private:
    void StartResponseTimer() override;
    void StopResponseTimer() override;
    void StartSilenceTimer() override;
    void StopSilenceTimer() override;

    // The front end's effects, with what is sent passed to the trace on the way.
    struct TracedEffects final : TransferEffects {
        explicit TracedEffects(TransferEffects& effects) : front(effects) {}
        bool SendData(const uint8_t* data, uint16_t length) override;
        void ShowMessage(TransferEvent event, const std::string& text) override {
            front.ShowMessage(event, text);
        }
        void SetProgress(int minimum, int maximum, int position) override {
            front.SetProgress(minimum, maximum, position);
        }
        void SetProgressVisible(bool visible) override { front.SetProgressVisible(visible); }
        void SetFirmwareStatus(const std::string& text) override { front.SetFirmwareStatus(text); }
        void Repaint() override { front.Repaint(); }

        TransferEffects& front;
        LineTrace* trace = nullptr;
    };

    const Clock& clock_;
    TracedEffects effects_;
    Transfer transfer_;
    std::optional<Clock::TimePoint> responseDeadline_;
    std::optional<Clock::TimePoint> silenceDeadline_;
};

// Lets every queued block out (within TComm's bound) and closes the port: wherever a port is
// closed after sending.
void ClosePortDrained(TComm& comm);

}  // namespace q36
