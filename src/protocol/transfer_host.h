#pragma once
// What the transfer needs from the program around it: the line, the stored rows, the
// common-parameter page, and the effects the user sees. The main window, the command-line tool
// and the tests each implement it.

#include <array>
#include <cstdint>
#include <string>

#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"

namespace q36 {

// Outcome of a data operation of the host.
struct StoreStatus {
    enum class Code { Ok, NoRow, Failed };
    Code code = Code::Ok;
    std::string error;  // the engine's own text when Failed

    static StoreStatus Ok() { return {}; }
    static StoreStatus NoRow() { return {Code::NoRow, {}}; }
    static StoreStatus Failed(std::string text) { return {Code::Failed, std::move(text)}; }
    bool ok() const { return code == Code::Ok; }
};

// Why a message is shown, so that front ends can act on it beyond showing the text.
enum class TransferEvent {
    PortNotOpen,  // a command needs an open port
    ReadDone,     // the last block of a read was stored
    WriteDone,    // the radio accepted the last block of a write
    Refused,      // the radio answered with status 1..4
    ReadFailed,   // a received block failed its check and was rejected
    CheckFailed,  // a value failed its check while a block was encoded; nothing was sent
    NoAnswer,     // a block could not be built or sent
    Timeout,      // the response timer fired
    StoreFailed,  // the store could not be read or written; the engine's text follows
};

class TransferHost {
  public:
    virtual ~TransferHost() = default;

    // Queues bytes for the serial port; false when the port refused them.
    virtual bool SendData(const uint8_t* data, uint16_t length) = 0;

    // Posts a pending edit of the common-parameter row and of the current channel row.
    virtual StoreStatus CommitPendingEdits() = 0;
    // Reads all 24 channel rows afresh, in channel order.
    virtual StoreStatus LoadChannelRows(ChannelArr& rows) = 0;
    // Writes a decoded channel into its row (ENABLED first) and posts it; NoRow when no row has
    // the channel's key.
    virtual StoreStatus StoreChannel(const ChannelUpdate& update) = 0;
    // The values the common-parameter page shows now, and putting new ones on it.
    virtual StoreStatus ReadCommonPage(CommonPage& page) = 0;
    virtual StoreStatus ShowCommonPage(const CommonPage& page) = 0;
    // The scan editor's confirm action: posts its pending edit and fills the five scan lists.
    virtual StoreStatus FillScanArr(ScanArr& scans) = 0;
    // Writes a received scan list into the row whose LIST is listNo and posts it.
    virtual StoreStatus StoreScanList(int listNo,
                                      const std::array<std::string, SCAN_SLOT_COUNT>& slots) = 0;

    // A modal message in the current language.
    virtual void ShowMessage(TransferEvent event, const std::string& text) = 0;
    // A Yes/No question with an empty caption; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual void SetProgress(int minimum, int maximum, int position) = 0;
    virtual void SetProgressVisible(bool visible) = 0;
    // Status-bar panel 1.
    virtual void SetFirmwareStatus(const std::string& text) = 0;
    // The 2000 ms response timer; when it fires the host calls Transfer::Timer1Timer.
    virtual void StartResponseTimer() = 0;
    virtual void StopResponseTimer() = 0;
    // The silence limit (Transfer::SilenceLimitMs), started again by every start; when it runs
    // out the host calls Transfer::SilenceTimeout. A host that drives the transfer step by step
    // without time may leave both empty.
    virtual void StartSilenceTimer() {}
    virtual void StopSilenceTimer() {}
    // Lets the window redraw before a write starts.
    virtual void Repaint() {}
};

}  // namespace q36
