#include "transfer.h"

#include <algorithm>

#include "codec/bits.h"
#include "frame.h"
#include "handshake.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

Transfer::Transfer(TransferData& data, TransferEffects& effects, TransferTimers& timers,
                   const RunSettings& settings)
    : data_(data), effects_(effects), timers_(timers), settings_(settings) {
    ApplyVariant();
}

void Transfer::ApplyVariant() {
    ProgressTotal = settings_.HasScanList ? 30 : 25;
}

std::string Transfer::Text(const TextPair& pair) const {
    return Tr(pair, settings_.LanguageIndex);
}

void Transfer::Message(TransferEvent event, const std::string& text) {
    // Every message ends the transfer, whatever it was waiting for.
    transferMode_ = TransferMode::Idle;
    effects_.ShowMessage(event, text);
}

void Transfer::ResetProgress() {
    effects_.SetProgress(0, ProgressTotal, 0);
}

void Transfer::FailNoAnswer() {
    Message(TransferEvent::NoAnswer, Text(txt::MsgNoAnswer));
    ResetProgress();
}

void Transfer::FailStore(const StoreResult& status) {
    Message(TransferEvent::StoreFailed, Text(txt::MsgNoAnswer) + "\r\n" + status.detail);
    ResetProgress();
}

bool Transfer::PrepareWrite() {
    const StoreResult committed = data_.CommitPendingEdits();
    FrameCount = 0;
    ResetProgress();
    NextChannel = 1;
    NextScanBlock = 1;
    transferMode_ = lastMode_ = TransferMode::Idle;
    commonSent_ = false;
    if (!PortOpen) {
        Message(TransferEvent::PortNotOpen, Text(txt::MsgOpenPortFirst));
        return false;
    }
    // Writing rows that could not be saved would send the radio something the user never saw.
    if (!committed.ok()) {
        Message(TransferEvent::StoreFailed, Text(txt::MsgNoAnswer) + "\r\n" + committed.detail);
        return false;
    }
    return true;
}

void Transfer::StartWrite() {
    // The port went while the user was asked: the write it starts cannot be answered.
    if (!PortOpen) return FailNoAnswer();
    effects_.Repaint();
    transferMode_ = lastMode_ = TransferMode::Write;
    SendHandshake();
    StartTimer();
    UpdateSilenceTimer();
}

bool Transfer::PrepareRead() {
    FrameCount = 0;
    ResetProgress();
    if (!PortOpen) {
        Message(TransferEvent::PortNotOpen, Text(txt::MsgOpenPortFirst));
        return false;
    }
    return true;
}

void Transfer::StartRead() {
    if (!PortOpen) return FailNoAnswer();
    transferMode_ = lastMode_ = TransferMode::Read;
    SendHandshake();
    StartTimer();
    UpdateSilenceTimer();
}

void Transfer::SendFrame(std::span<const uint8_t> payload, uint8_t command) {
    // The radio expects the frame one byte per write, as the original programming cable did.
    for (uint8_t byte : BuildFrame(command, payload)) effects_.SendData(&byte, 1);
    // Every frame but the refusal of a block is answered, so a late answer that makes the
    // transfer send again takes it up again; a message right after the frame ends it.
    const bool answered = !(command == CMD_STATUS && !payload.empty() && payload[0] != ST_OK);
    if (answered) transferMode_ = lastMode_;
}

void Transfer::SendHandshake() {
    SendFrame(HandshakePayload(settings_.BandIndex, Password), CMD_HANDSHAKE);
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
    timers_.StartResponseTimer();
}

void Transfer::StopTimer() {
    timerRunning_ = false;
    timers_.StopResponseTimer();
}

void Transfer::UpdateSilenceTimer() {
    if (Running() && !timerRunning_) {
        timers_.StartSilenceTimer();
    } else {
        timers_.StopSilenceTimer();
    }
}

void Transfer::Receive(const uint8_t* buffer, uint16_t length) {
    const bool wasWaiting = timerRunning_;
    StopTimer();
    const std::vector<uint8_t> frame(buffer, buffer + length);
    if (frame.empty()) {
        if (wasWaiting) StartTimer();
        return;
    }
    // A delivery that is no answer at all (the first piece of a reply the line cut in two, a
    // burst of noise, a damaged handshake reply) must not leave the transfer waiting with no
    // timer to end the wait, nor start one that was not running.
    if (!DispatchFrame(frame) && wasWaiting) StartTimer();
    ++FrameCount;
    effects_.SetProgress(0, ProgressTotal, std::min(FrameCount, ProgressTotal));
    UpdateSilenceTimer();  // any delivery starts the silence over
}

void Transfer::ResponseTimeout() {
    StopTimer();
    Message(TransferEvent::Timeout, Text(txt::MsgResponseTimeout));
    effects_.SetProgressVisible(false);
    UpdateSilenceTimer();
}

void Transfer::SilenceTimeout() {
    if (Running() && !timerRunning_) {
        FailNoAnswer();
        effects_.SetProgressVisible(false);
    }
    UpdateSilenceTimer();
}

void Transfer::PortLost() {
    PortOpen = false;
    StopTimer();
    const bool running = Running();
    transferMode_ = TransferMode::Idle;  // nothing can come over a port that is gone
    UpdateSilenceTimer();
    if (!running) return;
    effects_.SetProgressVisible(false);
    FailNoAnswer();
}

bool Transfer::DispatchFrame(std::span<const uint8_t> frame) {
    if (frame.size() <= FRAME_COMMAND_OFFSET) return false;
    switch (frame[FRAME_COMMAND_OFFSET]) {
        case CMD_HANDSHAKE_REPLY: {
            // Dropped: no frame acted on, so the wait for the reply (if any) goes on.
            if (!CheckReceivedFrame(frame, HANDSHAKE_REPLY_PAYLOAD)) return false;
            effects_.SetProgressVisible(true);
            Firmware = std::to_string(frame[4]) + "." + std::to_string(frame[5]) + "." +
                       std::to_string(frame[6]);
            effects_.SetFirmwareStatus(FirmwareStatusText(Firmware, settings_.LanguageIndex));
            if (lastMode_ == TransferMode::Write)
                SendCommonBlock();
            else if (lastMode_ == TransferMode::Read)
                SendReadRequest(BLOCK_COMMON);
            return true;
        }
        case CMD_STATUS: {
            if (frame.size() <= 4) return false;
            const uint8_t status = frame[4];
            if (status == ST_OK) {
                if (lastMode_ == TransferMode::Write)
                    NextWriteStep();
                else if (lastMode_ == TransferMode::Read)
                    SendReadRequest(BLOCK_COMMON);
            } else if (const TextPair* pair = RadioStatusMessage(status)) {
                Message(TransferEvent::Refused, Text(*pair));
            } else {
                return false;
            }
            return true;
        }
        case CMD_READ_DATA: {
            if (frame.size() <= 4) return false;
            switch (frame[4]) {
                case BLOCK_COMMON:
                    DecodeCommonBlock(frame);
                    return true;
                case BLOCK_CHANNEL:
                    DecodeChannelBlock(frame);
                    return true;
                case BLOCK_SCAN:
                    DecodeScanBlock(frame);
                    return true;
                default:
                    return false;
            }
        }
        default:
            return false;
    }
}

void Transfer::NextWriteStep() {
    const auto writeDone = [this] {
        Message(TransferEvent::WriteDone, Text(txt::MsgWriteDone));
        effects_.SetProgressVisible(false);
    };
    if (writePhase_ == WritePhase::Common) {
        SendCommonBlock();
    } else if (writePhase_ == WritePhase::Channels && NextChannel < 25) {
        SendChannelBlock(NextChannel);
        NextChannel += 1;
    } else if (writePhase_ == WritePhase::ScanLists && NextScanBlock < 6 && settings_.HasScanList) {
        SendScanBlock(NextScanBlock);
        NextScanBlock += 1;
        StartTimer();
        writePhase_ = WritePhase::ScanLists;
    } else if (writePhase_ == WritePhase::ScanLists && NextScanBlock < 6) {
        NextScanBlock = 6;
        writeDone();
        writePhase_ = WritePhase::ScanLists;
    } else if (writePhase_ == WritePhase::ScanLists && NextScanBlock == 6) {
        writePhase_ = WritePhase::Finished;
        writeDone();
    }
}

WriteProgress Transfer::AcceptedWrite() const {
    WriteProgress progress;
    if (lastMode_ != TransferMode::Write || !commonSent_) return progress;
    using Block = WriteProgress::Block;
    if (writePhase_ == WritePhase::Finished ||
        (writePhase_ == WritePhase::ScanLists && NextScanBlock == 6)) {
        progress.common = true;
        progress.channels = CHANNEL_COUNT;
        progress.scanLists = settings_.HasScanList ? SCAN_LIST_COUNT : 0;
    } else if (writePhase_ == WritePhase::Channels && NextChannel == 1) {
        progress.pending = Block::Common;
    } else if (writePhase_ == WritePhase::Channels) {
        progress.common = true;
        progress.channels = NextChannel - 2;
        progress.pending = Block::Channel;
        progress.pendingNumber = NextChannel - 1;
    } else if (NextScanBlock == 1) {
        progress.common = true;
        progress.channels = CHANNEL_COUNT - 1;
        progress.pending = Block::Channel;
        progress.pendingNumber = CHANNEL_COUNT;
    } else {
        progress.common = true;
        progress.channels = CHANNEL_COUNT;
        progress.scanLists = NextScanBlock - 2;
        progress.pending = Block::ScanList;
        progress.pendingNumber = NextScanBlock - 1;
    }
    return progress;
}

void Transfer::SendCommonBlock() {
    CommonPage page;
    if (const StoreResult read = data_.ReadCommonPage(page); !read.ok()) return FailStore(read);
    const EncodedBlock block = EncodeCommonBlock(page, settings_.HasScanList);
    if (block.status().code == BlockCheck::NoAnswer) return FailNoAnswer();
    if (!block.ok())
        return Message(TransferEvent::CheckFailed,
                       BlockCheckMessage(block.status(), 0, settings_.LanguageIndex));
    SendFrame(block.value(), CMD_WRITE_DATA);
    writePhase_ = WritePhase::Channels;
    commonSent_ = true;
}

void Transfer::SendChannelBlock(int n) {
    ChannelArr rows;
    // The rows are read again before every block, so that edits posted since count.
    const StoreResult loaded = data_.LoadChannelRows(rows);
    if (!loaded.ok()) return FailStore(loaded);
    if (rows.size() < std::size_t(n) || n < 1) return FailNoAnswer();
    const EncodedBlock block = EncodeChannelBlock(n, rows[std::size_t(n - 1)], settings_.BandLowMHz,
                                                  settings_.BandHighMHz, settings_.LanguageIndex);
    switch (block.status().code) {
        case BlockCheck::Ok:
            break;
        case BlockCheck::FreqOutOfBand:
            ResetProgress();
            Message(TransferEvent::CheckFailed,
                    BlockCheckMessage(block.status(), n, settings_.LanguageIndex));
            effects_.SetProgressVisible(false);
            return;
        case BlockCheck::NoAnswer:
            return FailNoAnswer();
        default:
            return Message(TransferEvent::CheckFailed,
                           BlockCheckMessage(block.status(), n, settings_.LanguageIndex));
    }
    if (n == 24) writePhase_ = WritePhase::ScanLists;
    SendFrame(block.value(), CMD_WRITE_DATA);
}

void Transfer::SendScanBlock(int n) {
    const StoreResult filled = data_.FillScanArr(scanArr_);
    if (!filled.ok()) return FailStore(filled);
    if (n < 1 || scanArr_.size() < std::size_t(n)) return FailNoAnswer();
    SendFrame(EncodeScanBlock(n, scanArr_[std::size_t(n - 1)]), CMD_WRITE_DATA);
}

void Transfer::RejectReadBlock() {
    SendStatus(ST_CHECKSUM_ERROR);
    Message(TransferEvent::ReadFailed, Text(txt::MsgReadFailed));
    ResetProgress();
}

void Transfer::ReportStoreFailure(const StoreResult& status) {
    // The radio is left unanswered: nothing more is read into a store that cannot take it.
    Message(TransferEvent::StoreFailed, Text(txt::MsgReadFailed) + "\r\n" + status.detail);
    ResetProgress();
}

void Transfer::DecodeCommonBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    CommonPage page;
    StoreResult status = data_.ReadCommonPage(page);
    if (status.ok()) {
        DecodeCommonFrame(frame, settings_.HasScanList, page);
        status = data_.ShowCommonPage(page);
    }
    if (!status.ok()) return ReportStoreFailure(status);
    SendReadRequest(BLOCK_CHANNEL);
}

void Transfer::DecodeChannelBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    const ChannelUpdate update = DecodeChannelFrame(frame, settings_.LanguageIndex);
    const StoreResult status = data_.StoreChannel(update);
    if (status.code == StoreErrc::NotFound) return;
    if (!status.ok()) return ReportStoreFailure(status);
    SendStatus(ST_OK);
    if (frame[5] == 23) {
        if (settings_.HasScanList) {
            SendReadRequest(BLOCK_SCAN);
            StartTimer();
        } else {
            Message(TransferEvent::ReadDone, Text(txt::MsgReadDone));
            effects_.SetProgressVisible(false);
        }
    }
}

void Transfer::DecodeScanBlock(std::span<const uint8_t> frame) {
    if (!CheckReceivedFrame(frame, DATA_PAYLOAD)) return RejectReadBlock();
    const ScanUpdate update = DecodeScanFrame(frame);
    const StoreResult status = data_.StoreScanList(update.listIndex + 1, update.slots);
    if (status.code == StoreErrc::NotFound) return;
    if (!status.ok()) return ReportStoreFailure(status);
    if (update.listIndex < 4) {
        SendStatus(ST_OK);
    } else if (update.listIndex == 4) {
        Message(TransferEvent::ReadDone, Text(txt::MsgReadDone));
        effects_.SetProgressVisible(false);
    }
}

}  // namespace q36
