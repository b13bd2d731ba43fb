#include "exchange_outcome.h"

namespace q36::exchange {

std::string ExchangeMessage::FullText(int language) const {
    std::string full = text ? Tr(*text, language) : std::string();
    if (!detail.empty()) full += (full.empty() ? "" : "\n") + detail;
    return full;
}

}  // namespace q36::exchange
