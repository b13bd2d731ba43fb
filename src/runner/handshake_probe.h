#pragma once
// The handshake alone, on a port: the frame a read or write opens with, sent the same way, and
// the radio's first answer to it. No read request or block follows, so the radio's memory is
// neither read nor changed.

#include <chrono>
#include <string>

#include "clock.h"
#include "protocol/handshake.h"
#include "protocol/transfer.h"
#include "serial/queue_notice_receiver.h"
#include "serial/tcomm.h"

namespace q36 {

// Sends the handshake on the open comm, whose notices reach receiver, and waits up to timeout
// for an answer that accepts or refuses it (a reply, status 0, or a status with a message).
// Anything else is passed over, as a transfer does. None when the time ran out or the line hung
// up. comm's receive and hangup handlers are taken for the wait and cleared afterwards.
HandshakeAnswer ProbeHandshake(
    TComm& comm, QueueNoticeReceiver& receiver, int bandIndex, const std::string& password,
    const Clock& clock,
    std::chrono::milliseconds timeout = std::chrono::milliseconds(Transfer::ResponseTimeoutMs));

// What a handshake on a port came to: the port's opening, and the answer once it opened.
struct HandshakeRun {
    bool opened = false;
    int errorNumber = 0;        // why the port did not open
    std::string componentText;  // the serial component's text of the failure
    std::string systemError;    // the system's text of errorNumber
    HandshakeAnswer answer;
};

// Opens port with the radio link's settings (9600 8N1), runs ProbeHandshake, lets the last
// bytes out and closes the port again.
HandshakeRun RunHandshakeOnPort(const std::string& port, int bandIndex,
                                const std::string& password);

}  // namespace q36
