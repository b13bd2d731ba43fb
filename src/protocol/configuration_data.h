#pragma once
// A transfer's data side kept in memory: a read fills a configuration value block by block, a
// write sends the one it holds. Reads that must not touch the store (the backup before a write,
// the check after it, a compare against the radio) run on it.

#include "codec/configuration.h"
#include "transfer_data.h"

namespace q36 {

class ConfigurationData final : public TransferData {
  public:
    explicit ConfigurationData(Configuration configuration = BlankConfiguration())
        : configuration_(std::move(configuration)) {}

    const Configuration& Value() const { return configuration_; }

    StoreResult CommitPendingEdits() override { return StoreResult::Ok(); }
    StoreResult LoadChannelRows(ChannelArr& rows) override;
    StoreResult StoreChannel(const ChannelUpdate& update) override;
    StoreResult ReadCommonPage(CommonPage& page) override;
    StoreResult ShowCommonPage(const CommonPage& page) override;
    StoreResult FillScanArr(ScanArr& scans) override;
    StoreResult StoreScanList(int listNo,
                              const std::array<std::string, SCAN_SLOT_COUNT>& slots) override;

  private:
    Configuration configuration_;
};

}  // namespace q36
