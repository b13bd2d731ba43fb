#pragma once
// What a read or write run sets up before its transfer: the printer, a private store reset to
// the band of the run, and the transfer's data side over it with its queries open.

#include <memory>

#include "cli_transfer.h"
#include "progress_printer.h"
#include "store/configuration_store.h"
#include "store/store_transfer_data.h"
#include "working_store.h"

namespace q36::cli {

class CliRun {
  public:
    // The store is reset to the band of settings, which must outlive the run.
    explicit CliRun(const RunSettings& settings) : settings_(settings) {}
    explicit CliRun(RunSettings&& settings) = delete;

    // Creates the store and opens the data side's queries; ExitDone, or ExitFailure after printing
    // why.
    int Prepare();

    ProgressPrinter& Printer() { return printer_; }
    StoreTransferData& Data() { return *data_; }
    // The queries Save reads and Open writes.
    ConfigurationQueries& Queries() { return *queries_; }

  private:
    const RunSettings& settings_;
    ProgressPrinter printer_;
    WorkingStore store_;
    std::unique_ptr<StoreTransferData> data_;
    std::unique_ptr<ConfigurationQueries> queries_;
};

}  // namespace q36::cli
