#include "configuration_layout.h"

#include "text/choice_lists.h"

namespace q36::exchange {

std::string ChannelSheetTitle(int k, int language) {
    // The grid titles both tone value columns "数值"; the sheet needs fourteen distinct titles.
    if (k == CHANNEL_TX_VALUE) return Tr(txt::HeadTxValue, language);
    if (k == CHANNEL_RX_VALUE) return Tr(txt::HeadRxValue, language);
    if (k < 0 || k >= CHANNEL_COLUMN_COUNT) return {};
    return ChoiceAt(lists::ColumnTitleTable, k, language);
}

}  // namespace q36::exchange
