#pragma once
// The data side of a transfer: where the configuration it writes comes from and where the one it
// reads goes, block by block. The store-backed one serves the window, the command-line tool and
// the tests alike; tests without a database keep it in memory.

#include <array>
#include <string>

#include "codec/channel_block.h"
#include "codec/common_block.h"
#include "codec/scan_block.h"
#include "store_result.h"

namespace q36 {

class TransferData {
  public:
    virtual ~TransferData() = default;

    // Posts a pending edit of the common-parameter row and of the current channel row.
    virtual StoreResult CommitPendingEdits() = 0;
    // Reads all 24 channel rows afresh, in channel order.
    virtual StoreResult LoadChannelRows(ChannelArr& rows) = 0;
    // Writes a decoded channel into its row by the lock rule and posts it; NoRow when no row has
    // the channel's key.
    virtual StoreResult StoreChannel(const ChannelUpdate& update) = 0;
    // The values the common-parameter page shows now, and putting new ones on it.
    virtual StoreResult ReadCommonPage(CommonPage& page) = 0;
    virtual StoreResult ShowCommonPage(const CommonPage& page) = 0;
    // The scan editor's confirm action: posts its pending edit and fills the five scan lists.
    virtual StoreResult FillScanArr(ScanArr& scans) = 0;
    // Writes a received scan list into the row whose LIST is listNo and posts it.
    virtual StoreResult StoreScanList(int listNo,
                                      const std::array<std::string, SCAN_SLOT_COUNT>& slots) = 0;
};

}  // namespace q36
