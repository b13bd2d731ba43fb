#include "configuration_layout.h"

#include "text/choice_lists.h"

namespace q36::exchange {

std::string ChannelSheetTitle(int k) {
    return ChannelSheetTitleIn(k, LanguageIndex);
}

std::string ChannelSheetTitleIn(int k, int language) {
    // The grid titles both tone value columns "数值"; the sheet needs fourteen distinct titles.
    if (k == CHANNEL_TX_VALUE) return TrIn(txt::HeadTxValue, language);
    if (k == CHANNEL_RX_VALUE) return TrIn(txt::HeadRxValue, language);
    if (k < 0 || k >= CHANNEL_COLUMN_COUNT) return {};
    return std::string(lists::ColumnTitleTable[2 * std::size_t(k) + (language == 1 ? 1 : 0)]);
}

}  // namespace q36::exchange
