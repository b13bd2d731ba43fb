#pragma once
// Test doubles of a transfer's sides: effects that record what the user would see (and the two
// timers, as flags), and a data side that keeps the rows and the common page in memory, for tests
// of the transfer without a database, a window or a serial port.

#include <functional>
#include <string>
#include <vector>

#include "protocol/transfer.h"

namespace q36::test {

struct ShownMessage {
    TransferEvent event;
    std::string text;
};

class RecordingEffects : public TransferEffects, public TransferTimers {
  public:
    // Bytes the transfer sent, in order; where they go next (a radio) if set.
    std::vector<uint8_t> sent;
    std::function<void(const uint8_t*, uint16_t)> onSend;

    // Recorded effects.
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;  // asked by the commands below
    bool answerYes = true;
    int progressMin = 0, progressMax = 0, progressPosition = 0;
    bool progressVisible = false;
    std::string firmwareStatus;
    bool timerRunning = false;
    int timerStarts = 0;
    bool silenceRunning = false;

    // The last message's text, or empty.
    std::string LastMessage() const {
        return messages.empty() ? std::string() : messages.back().text;
    }
    // The texts of the messages, in order.
    std::vector<std::string> MessageTexts() const;

    bool SendData(const uint8_t* data, uint16_t length) override;
    void ShowMessage(TransferEvent event, const std::string& text) override;
    void SetProgress(int minimum, int maximum, int position) override;
    void SetProgressVisible(bool visible) override;
    void SetFirmwareStatus(const std::string& text) override;
    void StartResponseTimer() override;
    void StopResponseTimer() override;
    void StartSilenceTimer() override;
    void StopSilenceTimer() override;
};

// The Read and Write commands as a front end gives them: the first steps, then the question
// (recorded in effects.questions, answered by effects.answerYes), then the start.
void ReadCommand(Transfer& transfer, RecordingEffects& effects);
void WriteCommand(Transfer& transfer, RecordingEffects& effects);

class MemoryHost : public RecordingEffects, public TransferData {
  public:
    MemoryHost();

    // Stored configuration.
    ChannelArr channels;  // 24 rows, keys "01".."24"
    ScanArr scans;        // 5 rows, LIST 1..5
    CommonPage page;

    // Failures to inject into the data side.
    bool failLoadChannels = false;
    bool failStore = false;
    bool failCommit = false;

    StoreResult CommitPendingEdits() override;
    StoreResult LoadChannelRows(ChannelArr& rows) override;
    StoreResult StoreChannel(const ChannelUpdate& update) override;
    StoreResult ReadCommonPage(CommonPage& out) override;
    StoreResult ShowCommonPage(const CommonPage& in) override;
    StoreResult FillScanArr(ScanArr& out) override;
    StoreResult StoreScanList(int listNo,
                              const std::array<std::string, SCAN_SLOT_COUNT>& slots) override;
};

// Rows as a freshly reset store holds them for the band 400-440 (Chinese texts).
ChannelArr DefaultChannels(int lowMHz = 400, int highMHz = 440);
ScanArr DefaultScans();
CommonPage DefaultCommonPage();

}  // namespace q36::test
