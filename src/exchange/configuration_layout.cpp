#include "configuration_layout.h"

#include "text/choice_lists.h"

namespace q36::exchange {

std::string ChannelSheetTitle(int k) {
    // The grid titles both tone value columns "数值"; the sheet needs fourteen distinct titles.
    if (k == CHANNEL_TX_VALUE) return Tr(txt::HeadTxValue);
    if (k == CHANNEL_RX_VALUE) return Tr(txt::HeadRxValue);
    return ChoiceAt(lists::ColumnTitleTable, k);
}

}  // namespace q36::exchange
