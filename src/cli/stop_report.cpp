#include "stop_report.h"

#include <vector>

#include "text/text_pairs.h"

namespace q36::cli {

namespace {

// "channel 3" or "channels 1-13"; empty for none.
std::string Range(const TextPair& one, const TextPair& range, int last, int language) {
    if (last < 1) return {};
    if (last == 1) return Fill(Tr(one, language), "{first}", "1");
    return Fill(Fill(Tr(range, language), "{first}", "1"), "{last}", std::to_string(last));
}

std::string Joined(const std::vector<std::string>& parts, int language) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += Tr(i + 1 == parts.size() ? txt::TxtListLastSeparator : txt::TxtListSeparator,
                       language);
        text += parts[i];
    }
    return text;
}

std::string PendingBlock(const WriteProgress& progress, int language) {
    using Block = WriteProgress::Block;
    const std::string number = std::to_string(progress.pendingNumber);
    switch (progress.pending) {
        case Block::None:
            return {};
        case Block::Common:
            return Tr(txt::TxtCommonBlock, language);
        case Block::Channel:
            return Fill(Tr(txt::TxtChannelOne, language), "{first}", number);
        case Block::ScanList:
            return Fill(Tr(txt::TxtScanListOne, language), "{first}", number);
    }
    return {};
}

}  // namespace

std::string StoppedWriteText(const WriteProgress& progress, const std::string& file, int language) {
    std::vector<std::string> held;
    if (progress.common) held.push_back(Tr(txt::TxtCommonBlock, language));
    if (std::string channels =
            Range(txt::TxtChannelOne, txt::TxtChannelRange, progress.channels, language);
        !channels.empty()) {
        held.push_back(channels);
    }
    if (std::string lists =
            Range(txt::TxtScanListOne, txt::TxtScanListRange, progress.scanLists, language);
        !lists.empty()) {
        held.push_back(lists);
    }
    const std::string pendingBlock = PendingBlock(progress, language);
    const std::string pending =
        pendingBlock.empty() ? ""
                             : Fill(Tr(txt::TxtStoppedPending, language), "{block}", pendingBlock);
    const std::string text =
        held.empty() ? Tr(txt::MsgStoppedWriteNothing, language)
                     : Fill(Tr(txt::MsgStoppedWrite, language), "{blocks}", Joined(held, language));
    // The file name last, so that nothing in it is taken for a placeholder.
    return Fill(Fill(text, "{pending}", pending), "{file}", file);
}

}  // namespace q36::cli
