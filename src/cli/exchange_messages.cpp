#include "exchange_messages.h"

#include "cli_args.h"

namespace q36::cli {

int ReportExchange(const exchange::ExchangeOutcome& outcome, ProgressPrinter& printer) {
    for (const auto& message : outcome.messages) printer.Message(message.FullText());
    using exchange::ExchangeResult;
    switch (outcome.result) {
        case ExchangeResult::Saved:
        case ExchangeResult::ReadOk: return ExitDone;
        case ExchangeResult::FrequencyNotNumber:
        case ExchangeResult::FrequencyOutOfBand: return ExitCheck;
        default: return ExitWorkbook;
    }
}

}  // namespace q36::cli
