#include "transfer_runner.h"

#include <algorithm>

namespace q36 {

namespace {

using std::chrono::milliseconds;

// How often a runner on a port looks up even when nothing arrives and no timer is due.
constexpr milliseconds kPollLimit(100);

}  // namespace

TransferRunner::TransferRunner(TransferData& data, TransferEffects& effects, const Clock& clock,
                               const RunSettings& settings)
    : clock_(clock), effects_(effects), transfer_(data, effects_, *this, settings) {}

bool TransferRunner::TracedEffects::SendData(const uint8_t* data, uint16_t length) {
    if (trace) trace->Sent(data, length);
    return front.SendData(data, length);
}

void TransferRunner::Deliver(const uint8_t* buffer, uint16_t length) {
    if (effects_.trace) effects_.trace->Delivered(buffer, length);
    transfer_.Receive(buffer, length);
}

void TransferRunner::StartResponseTimer() {
    responseDeadline_ = clock_.Now() + milliseconds(Transfer::ResponseTimeoutMs);
}

void TransferRunner::StopResponseTimer() {
    responseDeadline_.reset();
}

void TransferRunner::StartSilenceTimer() {
    silenceDeadline_ = clock_.Now() + milliseconds(Transfer::SilenceLimitMs);
}

void TransferRunner::StopSilenceTimer() {
    silenceDeadline_.reset();
}

void TransferRunner::PortVanished(TComm& comm) {
    comm.ClosePort();
    transfer_.PortLost();
}

void TransferRunner::Tick() {
    const Clock::TimePoint now = clock_.Now();
    if (responseDeadline_ && now >= *responseDeadline_) {
        responseDeadline_.reset();
        transfer_.ResponseTimeout();
    }
    if (silenceDeadline_ && now >= *silenceDeadline_) {
        silenceDeadline_.reset();
        transfer_.SilenceTimeout();
    }
}

std::optional<Clock::TimePoint> TransferRunner::NextDeadline() const {
    if (responseDeadline_ && silenceDeadline_)
        return std::min(*responseDeadline_, *silenceDeadline_);
    return responseDeadline_ ? responseDeadline_ : silenceDeadline_;
}

void TransferRunner::Serve(TComm& comm, QueueNoticeReceiver& receiver,
                           const std::function<bool()>& done,
                           const std::function<bool()>& stopping) {
    comm.OnReceiveData = [this, stopping](TComm&, const uint8_t* buffer, uint16_t length) {
        if (!stopping || !stopping()) Deliver(buffer, length);
    };
    comm.OnRequestHangup = [this](TComm& sender) { PortVanished(sender); };
    while (!done()) {
        milliseconds wait = kPollLimit;
        if (const auto deadline = NextDeadline()) {
            const auto left = std::chrono::duration_cast<milliseconds>(*deadline - clock_.Now());
            wait = std::clamp(left + milliseconds(1), milliseconds(0), kPollLimit);
        }
        receiver.WaitAndDispatch(comm, wait);
        Tick();
    }
}

void TransferRunner::RunOnPort(TComm& comm, QueueNoticeReceiver& receiver,
                               const std::function<bool()>& stopping) {
    Serve(
        comm, receiver, [&] { return !Running() || (stopping && stopping()); }, stopping);
}

void TransferRunner::RunOnLink(const std::function<bool(std::vector<uint8_t>&)>& nextDelivery,
                               ManualClock& clock) {
    std::vector<uint8_t> delivery;
    while (Running()) {
        if (nextDelivery(delivery)) {
            Deliver(delivery.data(), uint16_t(delivery.size()));
            continue;
        }
        const auto deadline = NextDeadline();
        if (!deadline) return;
        clock.AdvanceTo(*deadline);
        Tick();
    }
}

void ClosePortDrained(TComm& comm) {
    comm.Drain();
    comm.ClosePort();
}

}  // namespace q36
