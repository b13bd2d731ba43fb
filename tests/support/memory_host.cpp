#include "memory_host.h"

#include "codec/band_defaults.h"
#include "codec/channel_fields.h"
#include "text/text_pairs.h"

namespace q36::test {

// The band reset's values: what a fresh store holds.
ChannelArr DefaultChannels(int lowMHz, int highMHz) {
    return BandDefaultConfiguration(lowMHz, highMHz, LANGUAGE_CHINESE).channels;
}

ScanArr DefaultScans() {
    return BandDefaultConfiguration(400, 440, LANGUAGE_CHINESE).scans;
}

CommonPage DefaultCommonPage() {
    return BandDefaultCommon();
}

MemoryHost::MemoryHost()
    : channels(DefaultChannels()), scans(DefaultScans()), page(DefaultCommonPage()) {}

bool RecordingEffects::SendData(const uint8_t* data, uint16_t length) {
    if (length == 0) return false;
    sent.insert(sent.end(), data, data + length);
    if (onSend) onSend(data, length);
    return true;
}

StoreResult MemoryHost::CommitPendingEdits() {
    return failCommit ? StoreResult::Error(StoreErrc::Engine, "commit refused") : StoreResult::Ok();
}

StoreResult MemoryHost::LoadChannelRows(ChannelArr& rows) {
    if (failLoadChannels) return StoreResult::Error(StoreErrc::Engine, "channel table unreadable");
    rows = channels;
    return StoreResult::Ok();
}

StoreResult MemoryHost::StoreChannel(const ChannelUpdate& update) {
    const std::string key = ChannelKey(update.channelNo);
    for (auto& row : channels) {
        if (row.CHANNELNO == key) {
            if (failStore) return StoreResult::Error(StoreErrc::Engine, "disk full");
            ApplyChannelUpdate(row, update);
            return StoreResult::Ok();
        }
    }
    return StoreResult::Error(StoreErrc::NotFound, {});
}

StoreResult MemoryHost::ReadCommonPage(CommonPage& out) {
    out = page;
    return StoreResult::Ok();
}

StoreResult MemoryHost::ShowCommonPage(const CommonPage& in) {
    if (failStore) return StoreResult::Error(StoreErrc::Engine, "disk full");
    page = in;
    return StoreResult::Ok();
}

StoreResult MemoryHost::FillScanArr(ScanArr& out) {
    out = scans;
    return StoreResult::Ok();
}

StoreResult MemoryHost::StoreScanList(int listNo,
                                      const std::array<std::string, SCAN_SLOT_COUNT>& slots) {
    for (auto& row : scans) {
        if (row.LIST == listNo) {
            if (failStore) return StoreResult::Error(StoreErrc::Engine, "disk full");
            row.slots = slots;
            return StoreResult::Ok();
        }
    }
    return StoreResult::Error(StoreErrc::NotFound, {});
}

void RecordingEffects::ShowMessage(TransferEvent event, const std::string& text) {
    messages.push_back({event, text});
}

std::vector<std::string> RecordingEffects::MessageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages) texts.push_back(message.text);
    return texts;
}

void ReadCommand(Transfer& transfer, RecordingEffects& effects) {
    if (!transfer.PrepareRead()) return;
    effects.questions.push_back(Tr(txt::MsgConfirmRead, LANGUAGE_CHINESE));
    if (effects.answerYes) transfer.StartRead();
}

void WriteCommand(Transfer& transfer, RecordingEffects& effects) {
    if (!transfer.PrepareWrite()) return;
    effects.questions.push_back(Tr(txt::MsgConfirmWrite, LANGUAGE_CHINESE));
    if (effects.answerYes) transfer.StartWrite();
}

void RecordingEffects::SetProgress(int minimum, int maximum, int position) {
    progressMin = minimum;
    progressMax = maximum;
    progressPosition = position;
}

void RecordingEffects::SetProgressVisible(bool visible) {
    progressVisible = visible;
}

void RecordingEffects::SetFirmwareStatus(const std::string& text) {
    firmwareStatus = text;
}

void RecordingEffects::StartResponseTimer() {
    timerRunning = true;
    ++timerStarts;
}

void RecordingEffects::StopResponseTimer() {
    timerRunning = false;
}

void RecordingEffects::StartSilenceTimer() {
    silenceRunning = true;
}

void RecordingEffects::StopSilenceTimer() {
    silenceRunning = false;
}

}  // namespace q36::test
