#pragma once
// The effects side of a transfer: the bytes it puts on the line and what the user sees of it.
// The main window, the command-line tool and the tests each implement it.

#include <cstdint>
#include <string>

namespace q36 {

// Why a message is shown, so that front ends can act on it beyond showing the text.
enum class TransferEvent {
    PortNotOpen,   // a command needs an open port
    ReadDone,      // the last block of a read was stored
    WriteDone,     // the radio accepted the last block of a write
    Refused,       // the radio answered with status 1..4
    ReadFailed,    // a received block failed its check and was rejected
    CheckFailed,   // a value failed its check while a block was encoded; nothing was sent
    NoAnswer,      // a block could not be built or sent, the radio fell silent, the port vanished
    Timeout,       // the response timer fired
    StoreFailed,   // the store could not be read or written; the engine's text follows
    VerifyFailed,  // the radio read back after a write holds other values than were sent
};

class TransferEffects {
  public:
    virtual ~TransferEffects() = default;

    // Queues bytes for the serial port; false when the port refused them.
    virtual bool SendData(const uint8_t* data, uint16_t length) = 0;
    // A modal message in the current language.
    virtual void ShowMessage(TransferEvent event, const std::string& text) = 0;
    virtual void SetProgress(int minimum, int maximum, int position) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
    // Status-bar panel 1.
    virtual void SetFirmwareStatus(const std::string& text) = 0;
    // Lets the window redraw before a write starts.
    virtual void Repaint() {}
};

// The transfer's two timers, which its runner keeps: the response timer and the silence limit.
// A start restarts a timer that runs.
class TransferTimers {
  public:
    virtual ~TransferTimers() = default;
    virtual void StartResponseTimer() = 0;
    virtual void StopResponseTimer() = 0;
    virtual void StartSilenceTimer() = 0;
    virtual void StopSilenceTimer() = 0;
};

}  // namespace q36
