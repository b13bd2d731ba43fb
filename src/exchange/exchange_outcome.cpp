#include "exchange_outcome.h"

namespace q36::exchange {

std::string ExchangeMessage::FullText() const {
    std::string full = text ? Tr(*text) : std::string();
    if (!detail.empty()) full += (full.empty() ? "" : "\n") + detail;
    return full;
}

}  // namespace q36::exchange
