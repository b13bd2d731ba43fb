#pragma once
// The read and write transfers: a state machine driven by the radio's answers. Every input (a
// command, a delivery, a timer running out, a lost port) enters through one public operation and
// runs to completion; none of them waits for the user.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "run_settings.h"
#include "text/language.h"
#include "transfer_data.h"
#include "transfer_effects.h"

namespace q36 {

enum class TransferMode { Idle, Read, Write };
// The next block of a write: the common block, the channels, the scan lists; or none.
enum class WritePhase { Common, Channels, ScanLists, Finished };

// How far a write got: the blocks the radio acknowledged, and the one sent but not yet
// acknowledged (the radio may or may not have kept it).
struct WriteProgress {
    enum class Block { None, Common, Channel, ScanList };
    bool common = false;  // the common block was acknowledged
    int channels = 0;     // channels 1..channels were acknowledged
    int scanLists = 0;    // scan lists 1..scanLists were acknowledged
    Block pending = Block::None;
    int pendingNumber = 0;  // the channel or scan list number of the pending block
};

class Transfer {
  public:
    // settings (band, variant, language) are read as each step needs them, so they must outlive the
    // transfer.
    Transfer(TransferData& data, TransferEffects& effects, TransferTimers& timers,
             const RunSettings& settings);
    Transfer(TransferData& data, TransferEffects& effects, TransferTimers& timers,
             RunSettings&& settings) = delete;

    // How long the response timer waits for the frames that start it.
    static constexpr int ResponseTimeoutMs = 2000;
    // How long a transfer waits for an answer when the response timer does not run (after a
    // channel block, a read request, an acknowledgement) before it gives up.
    static constexpr int SilenceLimitMs = 5000;

    // The transfer under way: Idle once it has ended (completed, refused, failed, timed out or
    // its port lost). A late answer is still handled by the rules of the last mode and, when it
    // makes the transfer send again, takes it up again.
    TransferMode Mode() const { return transferMode_; }
    bool Running() const { return transferMode_ != TransferMode::Idle; }
    // The mode late answers are handled by: the last transfer's.
    TransferMode LastMode() const { return lastMode_; }
    WritePhase Phase() const { return writePhase_; }

    int NextChannel = 1;     // next channel block to write, 1..24; 25 when all are sent
    int NextScanBlock = 1;   // next scan-list block to write, 1..5; 6 when all are sent
    int FrameCount = 0;      // deliveries received since the transfer started
    int ProgressTotal = 30;  // deliveries a full transfer expects: 30 with scan lists, 25 without
    bool PortOpen = false;   // the serial port is open; no transfer starts without it
    std::string Password = "KZP";  // radio password; its first three characters are sent
    std::string Firmware;          // the version the radio's last handshake reply gave ("1.0.3")

    // Sets ProgressTotal from the settings' HasScanList, as showing the main window does.
    void ApplyVariant();

    // A write and a read in two steps, the front end's question between them: Prepare takes the
    // command's first steps (pending edits, counters, the port check and its message) and says
    // whether to ask; Start sends the handshake once the user said yes.
    bool PrepareWrite();
    void StartWrite();
    bool PrepareRead();
    void StartRead();

    // Every delivery of the serial port, taken as one frame.
    void Receive(const uint8_t* buffer, uint16_t length);
    // The response timer ran out.
    void ResponseTimeout();
    // The silence limit ran out: a transfer still waiting ends with the no-answer message.
    void SilenceTimeout();
    // The port went away (the cable was pulled): it counts as closed, and a transfer under way
    // ends with the no-answer message instead of waiting for a reply that cannot come.
    void PortLost();

    // Protocol steps, public for the tests that check them one by one.
    void SendFrame(std::span<const uint8_t> payload, uint8_t command);
    void SendHandshake();
    void SendReadRequest(uint8_t blockType);
    // False when the delivery is no frame this program acts on.
    bool DispatchFrame(std::span<const uint8_t> frame);
    void SendCommonBlock();
    void DecodeCommonBlock(std::span<const uint8_t> frame);
    void SendChannelBlock(int n);
    void DecodeChannelBlock(std::span<const uint8_t> frame);
    void SendScanBlock(int n);
    void DecodeScanBlock(std::span<const uint8_t> frame);

    // What the radio holds of the write under way: every block is sent only after the previous
    // one was acknowledged, so all but the last one sent are.
    WriteProgress AcceptedWrite() const;

    // The scan lists as the last scan block was encoded from.
    const ScanArr& ScanArrRows() const { return scanArr_; }

  private:
    void StartTimer();
    void StopTimer();
    // The silence timer runs exactly while the transfer runs and the response timer is off.
    void UpdateSilenceTimer();
    void NextWriteStep();
    void SendStatus(uint8_t status);
    void ResetProgress();
    void FailNoAnswer();
    // A block that cannot be built because the store failed: the no-answer message with the
    // engine's text below it.
    void FailStore(const StoreResult& status);
    // A text of the run's language.
    std::string Text(const TextPair& pair) const;
    // Shows a message; every message ends the transfer.
    void Message(TransferEvent event, const std::string& text);
    // A received data block that fails its check: status 3 and the read-failed message.
    void RejectReadBlock();
    void ReportStoreFailure(const StoreResult& status);

    TransferData& data_;
    TransferEffects& effects_;
    TransferTimers& timers_;
    const RunSettings& settings_;
    TransferMode transferMode_ = TransferMode::Idle;
    TransferMode lastMode_ = TransferMode::Idle;
    WritePhase writePhase_ = WritePhase::Common;
    ScanArr scanArr_;
    bool timerRunning_ = false;  // the response timer, as this transfer set it
    bool commonSent_ = false;    // by the write command last given
};

}  // namespace q36
