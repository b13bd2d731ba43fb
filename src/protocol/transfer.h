#pragma once
// The read and write transfers: a state machine driven by the radio's answers. Every input (a
// command, a delivery, a timer tick) enters through one public operation and runs to completion.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "transfer_host.h"

namespace q36 {

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
    explicit Transfer(TransferHost& host);

    // How long the response timer waits for the frames that start it.
    static constexpr int ResponseTimeoutMs = 2000;
    // How long a transfer waits for an answer when the response timer does not run (after a
    // channel block, a read request, an acknowledgement) before it gives up.
    static constexpr int SilenceLimitMs = 5000;

    // Transfer state, as the main window holds it.
    int TransferMode = 0;    // 0 idle, 1 read, 2 write
    int WritePhase = 0;      // 0 common block next, 1 channels, 2 scan lists, 3 finished
    int NextChannel = 1;     // next channel block to write, 1..24; 25 when all are sent
    int NextScanBlock = 1;   // next scan-list block to write, 1..5; 6 when all are sent
    int FrameCount = 0;      // deliveries received since the transfer started
    int ProgressTotal = 30;  // deliveries a full transfer expects: 30 with scan lists, 25 without
    bool PortOpen = false;   // the serial port is open; no transfer starts without it
    std::string Password = "KZP";  // radio password; its first three characters are sent

    // Sets ProgressTotal from HasScanList, as showing the main window does.
    void ApplyVariant();

    // The Write and Read commands.
    void WriteTButClick();
    void ReadTButClick();

    // Every delivery of the serial port, taken as one frame.
    void CommReceiveData(const uint8_t* buffer, uint16_t length);
    // The response timer fired.
    void Timer1Timer();
    // The silence limit ran out: an answer still awaited ends the transfer with the no-answer
    // message. A later answer is still handled as any late answer is.
    void SilenceTimeout();
    // The port went away (the cable was pulled): it counts as closed, and a transfer under way
    // ends with the no-answer message instead of waiting for a reply that cannot come.
    void PortLost(bool transferRunning);

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
    // The silence timer runs exactly while an answer is awaited and the response timer is off.
    void UpdateSilenceTimer();
    void NextWriteStep();
    void SendStatus(uint8_t status);
    void ResetProgress();
    void FailNoAnswer();
    // A block that cannot be built because the store failed: the no-answer message with the
    // engine's text below it.
    void FailStore(const StoreStatus& status);
    void Message(TransferEvent event, const std::string& text);
    // A received data block that fails its check: status 3 and the read-failed message.
    void RejectReadBlock();
    void ReportStoreFailure(const StoreStatus& status);

    TransferHost& host_;
    ScanArr scanArr_;
    bool timerRunning_ = false;  // the host's response timer, as this transfer set it
    // A frame the radio answers was sent, and no message has ended the transfer since.
    bool awaitingAnswer_ = false;
    bool commonSent_ = false;  // by the write command last given
};

}  // namespace q36
