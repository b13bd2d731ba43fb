// q36cli read: reads a radio into a workbook.

#include "cli_transfer.h"
#include "commands.h"
#include "exchange/export_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"
#include "working_store.h"

namespace q36::cli {

int RunReadCommand(int argc, char** argv) {
    constexpr const char* kUsage =
        "q36cli read --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --out FILE";
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "out", kUsage, options); code != ExitDone) return code;

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
    if (int code = RunTransfer(TransferKind::Read, options.port, options.password, host, printer); code != ExitDone) {
        return code;
    }
    if (StoreStatus committed = host.CommitPendingEdits(); !committed.ok()) {
        printer.Message(committed.error);
        return ExitFailure;
    }
    exchange::ConfigurationQueries queries{host.ParamQuery(), host.ChannelQuery(), host.ScanQuery()};
    // The overwrite question is answered Yes: naming the file on the command line is the answer.
    return ReportExchange(exchange::ExportWorkbook(options.file, [] { return true; }, queries), printer);
}

}  // namespace q36::cli
