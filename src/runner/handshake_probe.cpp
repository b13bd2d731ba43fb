#include "runner/handshake_probe.h"

#include <algorithm>
#include <vector>

#include "protocol/frame.h"
#include "runner/transfer_runner.h"
#include "serial/radio_link_settings.h"

namespace q36 {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPollLimit(100);

// An answer a transfer would act on: acceptance, or a refusal it has a message for.
bool Decisive(const HandshakeAnswer& answer) {
    return answer.Accepted() ||
           (answer.kind == HandshakeAnswer::Kind::Status && RadioStatusMessage(answer.status));
}

}  // namespace

HandshakeAnswer ProbeHandshake(TComm& comm, QueueNoticeReceiver& receiver, int bandIndex,
                               const std::string& password, const Clock& clock,
                               milliseconds timeout) {
    HandshakeAnswer answer;
    bool hungUp = false;
    comm.OnReceiveData = [&answer](TComm&, const uint8_t* buffer, uint16_t length) {
        const HandshakeAnswer read = ReadHandshakeAnswer({buffer, length});
        if (!Decisive(answer) && Decisive(read)) answer = read;
    };
    comm.OnRequestHangup = [&hungUp](TComm&) { hungUp = true; };

    // One byte per write, as every frame of a transfer goes out.
    const std::array<uint8_t, 5> payload = HandshakePayload(bandIndex, password);
    for (uint8_t byte : BuildFrame(CMD_HANDSHAKE, payload)) comm.SendData(&byte, 1);

    const Clock::TimePoint deadline = clock.Now() + timeout;
    while (!Decisive(answer) && !hungUp) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - clock.Now());
        if (left <= milliseconds(0)) break;
        receiver.WaitAndDispatch(comm, std::min(left + milliseconds(1), kPollLimit));
    }
    comm.OnReceiveData = nullptr;
    comm.OnRequestHangup = nullptr;
    return Decisive(answer) ? answer : HandshakeAnswer{};
}

HandshakeRun RunHandshakeOnPort(const std::string& port, int bandIndex,
                                const std::string& password) {
    HandshakeRun run;
    QueueNoticeReceiver receiver;
    TComm comm(receiver);
    ApplyRadioLinkSettings(comm);
    comm.SetCommName(port);
    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        run.errorNumber = error.ErrorNumber();
        run.componentText = error.what();
        run.systemError = error.SystemError();
        return run;
    }
    run.opened = true;
    const SystemClock clock;
    run.answer = ProbeHandshake(comm, receiver, bandIndex, password, clock);
    ClosePortDrained(comm);
    return run;
}

}  // namespace q36
