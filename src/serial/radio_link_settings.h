#pragma once
// The settings the radio's programming cable needs, shared by the desktop program and the
// command-line tool.

#include "serial/tcomm.h"

namespace q36 {

// 9600 baud 8N1, DTR and RTS on, no hardware flow control, XON/XOFF on input only (limits 64),
// reads completed by a 100 ms pause; no total timeouts.
void ApplyRadioLinkSettings(TComm& comm);

}  // namespace q36
