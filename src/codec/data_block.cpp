#include "data_block.h"

#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

std::string BlockCheckMessage(BlockCheck check, int channel) {
    switch (check) {
        case BlockCheck::Ok:
            return {};
        case BlockCheck::FreqNotNumber:
            return Tr(txt::MsgFreqNotNumber);
        case BlockCheck::FreqOutOfBand:
            return ChannelFrequencyErrorText(channel);
        case BlockCheck::ToneEmpty:
            return Tr(txt::MsgToneEmpty);
        case BlockCheck::ToneNotInTable:
            return Tr(txt::MsgToneNotInTable);
        case BlockCheck::TotNotNumber:
            return Tr(txt::MsgTotNotNumber);
        case BlockCheck::TotRange:
            return Tr(txt::MsgTotRange);
        case BlockCheck::AniNotNumber:
            return Tr(txt::MsgAniNotNumber);
        case BlockCheck::AniMax:
            return Tr(txt::MsgAniMax);
        case BlockCheck::ScanTimeNotNumber:
            return Tr(txt::MsgScanTimeNotNumber);
        case BlockCheck::ScanTimeRange:
            return Tr(txt::MsgScanTimeRange);
        case BlockCheck::NoAnswer:
            return Tr(txt::MsgNoAnswer);
    }
    return {};
}

std::string BlockCheckMessage(const EncodedBlock& block, int channel) {
    std::string text = BlockCheckMessage(block.check, channel);
    if (!block.detail.empty()) text += "\n" + block.detail;
    return text;
}

}  // namespace q36
