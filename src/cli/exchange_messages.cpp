#include "exchange_messages.h"

#include "cli_args.h"
#include "exchange/exchange_texts.h"

namespace q36::cli {

int ReportExchange(const exchange::ExchangeOutcome& outcome, ProgressPrinter& printer,
                   int language) {
    // A workbook of either language is taken, so the tool says which one it found.
    if (outcome.workbookLanguage >= 0) {
        printer.Message(Tr(outcome.workbookLanguage == 1 ? exchange::texts::WorkbookInEnglish
                                                         : exchange::texts::WorkbookInChinese,
                           language));
    }
    for (const auto& message : outcome.messages) printer.Message(message.FullText(language));
    using exchange::ExchangeResult;
    switch (outcome.result) {
        case ExchangeResult::Saved:
        case ExchangeResult::ReadOk:
            return ExitDone;
        case ExchangeResult::FrequencyNotNumber:
        case ExchangeResult::FrequencyOutOfBand:
        case ExchangeResult::ToneValueRefused:
            return ExitCheck;
        default:
            return ExitWorkbook;
    }
}

}  // namespace q36::cli
