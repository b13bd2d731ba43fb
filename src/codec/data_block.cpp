#include "data_block.h"

#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {

std::string BlockCheckMessage(BlockCheck check, int channel, int language) {
    switch (check) {
        case BlockCheck::Ok:
            return {};
        case BlockCheck::FreqNotNumber:
            return Tr(txt::MsgFreqNotNumber, language);
        case BlockCheck::FreqOutOfBand:
            return ChannelFrequencyErrorText(channel, language);
        case BlockCheck::ToneEmpty:
            return Tr(txt::MsgToneEmpty, language);
        case BlockCheck::ToneNotInTable:
            return Tr(txt::MsgToneNotInTable, language);
        case BlockCheck::TotNotNumber:
            return Tr(txt::MsgTotNotNumber, language);
        case BlockCheck::TotRange:
            return Tr(txt::MsgTotRange, language);
        case BlockCheck::AniNotNumber:
            return Tr(txt::MsgAniNotNumber, language);
        case BlockCheck::AniMax:
            return Tr(txt::MsgAniMax, language);
        case BlockCheck::ScanTimeNotNumber:
            return Tr(txt::MsgScanTimeNotNumber, language);
        case BlockCheck::ScanTimeRange:
            return Tr(txt::MsgScanTimeRange, language);
        case BlockCheck::NoAnswer:
            return Tr(txt::MsgNoAnswer, language);
    }
    return {};
}

std::string BlockCheckMessage(const EncodedBlock& block, int channel, int language) {
    std::string text = BlockCheckMessage(block.check, channel, language);
    if (!block.detail.empty()) text += "\n" + block.detail;
    return text;
}

}  // namespace q36
