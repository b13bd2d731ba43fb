#include "memory_host.h"

#include "codec/channel_fields.h"
#include "text/text_pairs.h"

namespace q36::test {

ChannelArr DefaultChannels(int lowMHz, int highMHz) {
    ChannelArr rows;
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        ChannelResult row;
        row.CHANNELNO = ChannelKey(n);
        row.ENABLED = "True";
        row.VOX = "True";
        row.FTX = std::to_string(lowMHz);
        row.FTONE = "NULL";
        row.TXPOWER = "高";
        row.REFREQUENCY = std::to_string(highMHz);
        row.RETONE = "NULL";
        row.LEVEL = 4;
        row.BW = "宽";
        row.ADDSCAN = "不添加";
        row.BUSY = "关";
        rows.push_back(row);
    }
    return rows;
}

ScanArr DefaultScans() {
    ScanArr scans;
    for (int n = 1; n <= SCAN_LIST_COUNT; ++n) {
        ScanResult row;
        row.LIST = n;
        row.slots.fill("NULL");
        scans.push_back(row);
    }
    return scans;
}

CommonPage DefaultCommonPage() {
    CommonPage page;
    page.ani = "";
    page.aniMode = 0;
    page.tot = "60";
    page.lowAlarm = 2;
    page.lowBan = 0;
    page.powerPress = 0;
    page.keyAPress = 0;
    page.keyBPress = 0;
    page.scanPause = 0;
    page.scanRestart = 0;
    page.lostTime = "8";
    page.scanChanSel = 0;
    page.scanPauseSel = 0;
    return page;
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
