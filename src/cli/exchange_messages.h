#pragma once
// Prints the messages a workbook Save or Open ends in, as the desktop program shows them.

#include "exchange/exchange_outcome.h"
#include "progress_printer.h"

namespace q36::cli {

// Prints every message of the outcome in language and returns the exit code it stands for.
int ReportExchange(const exchange::ExchangeOutcome& outcome, ProgressPrinter& printer,
                   int language);

}  // namespace q36::cli
