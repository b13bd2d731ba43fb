// q36cli write: writes a workbook into a radio.

#include "cli_transfer.h"
#include "commands.h"
#include "exchange/import_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"
#include "working_store.h"

namespace q36::cli {

int RunWriteCommand(int argc, char** argv) {
    constexpr const char* kUsage =
        "q36cli write --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --in FILE";
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "in", kUsage, options); code != ExitDone) return code;

    ProgressPrinter printer;
    WorkingStore store;
    std::string error;
    if (!store.Create(error)) {
        printer.Message(error);
        return ExitFailure;
    }
    CliTransferHost host(store.connection(), printer);
    if (StoreResult opened = host.OpenQueries(); !opened.ok()) {
        printer.Message(opened.text);
        return ExitFailure;
    }
    exchange::ConfigurationQueries queries{host.ParamQuery(), host.ChannelQuery(), host.ScanQuery()};
    if (int code = ReportExchange(exchange::ImportWorkbook(options.file, queries), printer); code != ExitDone) {
        return code;
    }
    return RunTransfer(TransferKind::Write, options.port, options.password, host, printer);
}

}  // namespace q36::cli
