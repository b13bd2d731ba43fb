// q36cli read: reads a radio into a workbook.

#include "cli_run.h"
#include "commands.h"
#include "exchange/export_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"

namespace q36::cli {

int RunReadCommand(int argc, char** argv) {
    constexpr const char* kUsage =
        "q36cli read --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --out FILE";
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "out", kUsage, options); code != ExitDone) return code;

    CliRun run;
    if (int code = run.Prepare(); code != ExitDone) return code;
    const int transferred =
        RunTransfer(TransferKind::Read, options.port, options.password, run.Host(), run.Printer());
    if (transferred != ExitDone) return transferred;
    if (StoreStatus committed = run.Host().CommitPendingEdits(); !committed.ok()) {
        run.Printer().Message(committed.error);
        return ExitFailure;
    }
    // The overwrite question is answered Yes: naming the file on the command line is the answer.
    return ReportExchange(exchange::ExportWorkbook(
                              options.file, [] { return true; }, run.Queries()),
                          run.Printer());
}

}  // namespace q36::cli
