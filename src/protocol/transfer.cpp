#include "transfer.h"

#include <algorithm>

#include "codec/bits.h"
#include "frame.h"
#include "run_settings.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

const TextPair* StatusMessage(uint8_t status) {
    switch (status) {
        case ST_MODEL_MISMATCH: return &txt::MsgModelMismatch;
        case ST_BAD_PASSWORD: return &txt::MsgWrongPassword;
        case ST_CHECKSUM_ERROR: return &txt::MsgChecksumError;
        case ST_UNKNOWN_COMMAND: return &txt::MsgUnknownHandshake;
        default: return nullptr;
    }
}

}  // namespace

Transfer::Transfer(TransferHost& host) : host_(host) { ApplyVariant(); }

void Transfer::ApplyVariant() { ProgressTotal = HasScanList ? 30 : 25; }

void Transfer::Message(TransferEvent event, const std::string& text) { host_.ShowMessage(event, text); }

void Transfer::ResetProgress() { host_.SetProgress(0, ProgressTotal, 0); }

void Transfer::FailNoAnswer() {
    Message(TransferEvent::NoAnswer, Tr(txt::MsgNoAnswer));
    ResetProgress();
}

void Transfer::FailStore(const StoreStatus& status) {
    Message(TransferEvent::StoreFailed, Tr(txt::MsgNoAnswer) + "\r\n" + status.error);
    ResetProgress();
}

void Transfer::WriteTButClick() {
    const StoreStatus committed = host_.CommitPendingEdits();
    FrameCount = 0;
    ResetProgress();
    NextChannel = 1;
    NextScanBlock = 1;
    TransferMode = 0;
    if (!PortOpen) {
        Message(TransferEvent::PortNotOpen, Tr(txt::MsgOpenPortFirst));
        return;
    }
    // Writing rows that could not be saved would send the radio something the user never saw.
    if (!committed.ok()) {
        Message(TransferEvent::StoreFailed, Tr(txt::MsgNoAnswer) + "\r\n" + committed.error);
        return;
    }
    if (!host_.AskYesNo(Tr(txt::MsgConfirmWrite))) return;
    host_.Repaint();
    SendHandshake();
    TransferMode = 2;
    StartTimer();
}

void Transfer::ReadTButClick() {
    FrameCount = 0;
    ResetProgress();
    if (!PortOpen) {
        Message(TransferEvent::PortNotOpen, Tr(txt::MsgOpenPortFirst));
        return;
    }
    if (!host_.AskYesNo(Tr(txt::MsgConfirmRead))) return;
    SendHandshake();
    TransferMode = 1;
    StartTimer();
}

void Transfer::SendFrame(std::span<const uint8_t> payload, uint8_t command) {
    // The radio expects the frame one byte per write, as the original programming cable did.
    for (uint8_t byte : BuildFrame(command, payload)) host_.SendData(&byte, 1);
}

void Transfer::SendHandshake() {
    uint8_t payload[HANDSHAKE_PAYLOAD] = {uint8_t(BandIndex), 0, 0, 0, 0x18};
    for (std::size_t i = 0; i < 3 && i < Password.size(); ++i) payload[1 + i] = uint8_t(Password[i]);
    SendFrame(payload, CMD_HANDSHAKE);
}

void Transfer::SendReadRequest(uint8_t blockType) {
    const uint8_t payload[1] = {blockType};
    SendFrame(payload, CMD_READ_REQUEST);
}

void Transfer::SendStatus(uint8_t status) {
    const uint8_t payload[1] = {status};
    SendFrame(payload, CMD_STATUS);
}

void Transfer::StartTimer() {
    timerRunning_ = true;
    host_.StartResponseTimer();
}

void Transfer::StopTimer() {
    timerRunning_ = false;
    host_.StopResponseTimer();
}

void Transfer::CommReceiveData(const uint8_t* buffer, uint16_t length) {
    const bool wasWaiting = timerRunning_;
    StopTimer();
    const std::vector<uint8_t> frame(buffer, buffer + length);
    if (frame.empty()) {
        if (wasWaiting) StartTimer();
        return;
    }
    // A delivery that is no answer at all (the first piece of a reply the line cut in two, a
    // burst of noise) must not leave the transfer waiting with no timer to end the wait.
    if (!DispatchFrame(frame) && wasWaiting) StartTimer();
    ++FrameCount;
    host_.SetProgress(0, ProgressTotal, std::min(FrameCount, ProgressTotal));
}

void Transfer::Timer1Timer() {
    StopTimer();
    Message(TransferEvent::Timeout, Tr(txt::MsgResponseTimeout));
    host_.SetProgressVisible(false);
}

void Transfer::PortLost(bool transferRunning) {
    PortOpen = false;
    StopTimer();
    if (!transferRunning) return;
    host_.SetProgressVisible(false);
    FailNoAnswer();
}

bool Transfer::DispatchFrame(std::span<const uint8_t> frame) {
    if (frame.size() <= FRAME_COMMAND_OFFSET) return false;
    switch (frame[FRAME_COMMAND_OFFSET]) {
        case CMD_HANDSHAKE_REPLY: {
            if (!CheckReceivedFrame(frame, HANDSHAKE_REPLY_PAYLOAD)) {
                // Keep waiting for a valid answer, but not forever.
                if (TransferMode != 0) StartTimer();
                return true;
            }
            host_.SetProgressVisible(true);
            host_.SetFirmwareStatus(FirmwareStatusText(std::to_string(frame[4]) + "." +
                                                       std::to_string(frame[5]) + "." +
                                                       std::to_string(frame[6])));
            if (TransferMode == 2) SendCommonBlock();
            else if (TransferMode == 1) SendReadRequest(BLOCK_COMMON);
            return true;
        }
        case CMD_STATUS: {
            if (frame.size() <= 4) return false;
            const uint8_t status = frame[4];
            if (status == ST_OK) {
                if (TransferMode == 2) NextWriteStep();
                else if (TransferMode == 1) SendReadRequest(BLOCK_COMMON);
            } else if (const TextPair* pair = StatusMessage(status)) {
                Message(TransferEvent::Refused, Tr(*pair));
            } else {
                return false;
            }
            return true;
        }
        case CMD_READ_DATA: {
            if (frame.size() <= 4) return false;
            switch (frame[4]) {
                case BLOCK_COMMON: DecodeCommonBlock(frame); return true;
                case BLOCK_CHANNEL: DecodeChannelBlock(frame); return true;
                case BLOCK_SCAN: DecodeScanBlock(frame); return true;
                default: return false;
            }
        }
        default: return false;
    }
}

void Transfer::NextWriteStep() {
    const auto writeDone = [this] {
        Message(TransferEvent::WriteDone, Tr(txt::MsgWriteDone));
        host_.SetProgressVisible(false);
    };
    if (WritePhase == 0) {
        SendCommonBlock();
    } else if (WritePhase == 1 && NextChannel < 25) {
        SendChannelBlock(NextChannel);
        NextChannel += 1;
    } else if (WritePhase == 2 && NextScanBlock < 6 && HasScanList) {
        SendScanBlock(NextScanBlock);
        NextScanBlock += 1;
        StartTimer();
        WritePhase = 2;
    } else if (WritePhase == 2 && NextScanBlock < 6) {
        NextScanBlock = 6;
        writeDone();
        WritePhase = 2;
    } else if (WritePhase == 2 && NextScanBlock == 6) {
        WritePhase = 3;
        writeDone();
    }
}

void Transfer::SendCommonBlock() {
    CommonPage page;
    if (const StoreStatus read = host_.ReadCommonPage(page); !read.ok()) return FailStore(read);
    const EncodedBlock block = EncodeCommonBlock(page, HasScanList);
    if (block.check == BlockCheck::NoAnswer) return FailNoAnswer();
    if (!block.ok()) return Message(TransferEvent::CheckFailed, BlockCheckMessage(block.check));
    SendFrame(block.payload, CMD_WRITE_DATA);
    WritePhase = 1;
}

void Transfer::SendChannelBlock(int n) {
    ChannelArr rows;
    // The rows are read again before every block, so that edits posted since count.
    const StoreStatus loaded = host_.LoadChannelRows(rows);
    if (!loaded.ok()) return FailStore(loaded);
    if (rows.size() < std::size_t(n) || n < 1) return FailNoAnswer();
    const EncodedBlock block = EncodeChannelBlock(n, rows[std::size_t(n - 1)], BandLowMHz, BandHighMHz);
    switch (block.check) {
        case BlockCheck::Ok: break;
        case BlockCheck::FreqOutOfBand:
            ResetProgress();
            Message(TransferEvent::CheckFailed, BlockCheckMessage(block.check, n));
            host_.SetProgressVisible(false);
            return;
        case BlockCheck::NoAnswer: return FailNoAnswer();
        default: return Message(TransferEvent::CheckFailed, BlockCheckMessage(block, n));
    }
    if (n == 24) WritePhase = 2;
    SendFrame(block.payload, CMD_WRITE_DATA);
}

void Transfer::SendScanBlock(int n) {
    const StoreStatus filled = host_.FillScanArr(scanArr_);
    if (!filled.ok()) return FailStore(filled);
    if (n < 1 || scanArr_.size() < std::size_t(n)) return FailNoAnswer();
    SendFrame(EncodeScanBlock(n, scanArr_[std::size_t(n - 1)]), CMD_WRITE_DATA);
}

void Transfer::RejectReadBlock() {
    SendStatus(ST_CHECKSUM_ERROR);
    Message(TransferEvent::ReadFailed, Tr(txt::MsgReadFailed));
    ResetProgress();
}

void Transfer::ReportStoreFailure(const StoreStatus& status) {
    // The radio is left unanswered: nothing more is read into a store that cannot take it.
    Message(TransferEvent::StoreFailed, Tr(txt::MsgReadFailed) + "\r\n" + status.error);
    ResetProgress();
}

void Transfer::DecodeCommonBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    CommonPage page;
    StoreStatus status = host_.ReadCommonPage(page);
    if (status.ok()) {
        DecodeCommonFrame(frame, HasScanList, page);
        status = host_.ShowCommonPage(page);
    }
    if (!status.ok()) return ReportStoreFailure(status);
    SendReadRequest(BLOCK_CHANNEL);
}

void Transfer::DecodeChannelBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    const ChannelUpdate update = DecodeChannelFrame(frame);
    const StoreStatus status = host_.StoreChannel(update);
    if (status.code == StoreStatus::Code::NoRow) return;
    if (!status.ok()) return ReportStoreFailure(status);
    SendStatus(ST_OK);
    if (frame[5] == 23) {
        if (HasScanList) {
            SendReadRequest(BLOCK_SCAN);
            StartTimer();
        } else {
            Message(TransferEvent::ReadDone, Tr(txt::MsgReadDone));
            host_.SetProgressVisible(false);
        }
    }
}

void Transfer::DecodeScanBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    const ScanUpdate update = DecodeScanFrame(frame);
    const StoreStatus status = host_.StoreScanList(update.listIndex + 1, update.slots);
    if (status.code == StoreStatus::Code::NoRow) return;
    if (!status.ok()) return ReportStoreFailure(status);
    if (update.listIndex < 4) {
        SendStatus(ST_OK);
    } else if (update.listIndex == 4) {
        Message(TransferEvent::ReadDone, Tr(txt::MsgReadDone));
        host_.SetProgressVisible(false);
    }
}

}  // namespace q36
