#include "configuration_data.h"

#include "codec/channel_fields.h"

namespace q36 {

StoreResult ConfigurationData::LoadChannelRows(ChannelArr& rows) {
    rows = configuration_.channels;
    return StoreResult::Ok();
}

StoreResult ConfigurationData::StoreChannel(const ChannelUpdate& update) {
    if (update.channelNo < 1 || update.channelNo > int(configuration_.channels.size()))
        return StoreResult::Error(StoreErrc::NotFound, ChannelKey(update.channelNo));
    ApplyChannelUpdate(configuration_.channels[std::size_t(update.channelNo - 1)], update);
    return StoreResult::Ok();
}

StoreResult ConfigurationData::ReadCommonPage(CommonPage& page) {
    page = configuration_.common;
    return StoreResult::Ok();
}

StoreResult ConfigurationData::ShowCommonPage(const CommonPage& page) {
    configuration_.common = page;
    return StoreResult::Ok();
}

StoreResult ConfigurationData::FillScanArr(ScanArr& scans) {
    scans = configuration_.scans;
    return StoreResult::Ok();
}

StoreResult ConfigurationData::StoreScanList(
    int listNo, const std::array<std::string, SCAN_SLOT_COUNT>& slots) {
    for (ScanResult& row : configuration_.scans) {
        if (row.LIST != listNo) continue;
        row.slots = slots;
        return StoreResult::Ok();
    }
    return StoreResult::Error(StoreErrc::NotFound, std::to_string(listNo));
}

}  // namespace q36
