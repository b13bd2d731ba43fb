#include "data_block.h"

#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

namespace {

const TextPair* MessageOf(BlockCheck check) {
    switch (check) {
        case BlockCheck::Ok:
            return nullptr;
        case BlockCheck::FreqNotNumber:
            return &txt::MsgFreqNotNumber;
        case BlockCheck::FreqOutOfBand:
            return &txt::MsgFreqError;
        case BlockCheck::ToneEmpty:
            return &txt::MsgToneEmpty;
        case BlockCheck::ToneNotInTable:
            return &txt::MsgToneNotInTable;
        case BlockCheck::TotNotNumber:
            return &txt::MsgTotNotNumber;
        case BlockCheck::TotRange:
            return &txt::MsgTotRange;
        case BlockCheck::AniNotNumber:
            return &txt::MsgAniNotNumber;
        case BlockCheck::AniMax:
            return &txt::MsgAniMax;
        case BlockCheck::ScanTimeNotNumber:
            return &txt::MsgScanTimeNotNumber;
        case BlockCheck::ScanTimeRange:
            return &txt::MsgScanTimeRange;
        case BlockCheck::NoAnswer:
            return &txt::MsgNoAnswer;
    }
    return nullptr;
}

}  // namespace

BlockStatus BlockRefusal(BlockCheck check, std::string detail) {
    return BlockStatus::Error(check, std::move(detail), MessageOf(check));
}

std::string BlockCheckMessage(const BlockStatus& refusal, int channel, int language) {
    if (refusal.ok() || refusal.message == nullptr) return {};
    std::string text = refusal.code == BlockCheck::FreqOutOfBand
                           ? ChannelFrequencyErrorText(channel, language)
                           : Tr(*refusal.message, language);
    if (!refusal.detail.empty()) text += "\n" + refusal.detail;
    return text;
}

}  // namespace q36
