// q36cli write: writes a workbook into a radio.

#include "cli_run.h"
#include "commands.h"
#include "exchange/import_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"

namespace q36::cli {

int RunWriteCommand(int argc, char** argv) {
    constexpr const char* kUsage =
        "q36cli write --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --in FILE";
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "in", kUsage, options); code != ExitDone) return code;

    CliRun run;
    if (int code = run.Prepare(); code != ExitDone) return code;
    if (int code = ReportExchange(exchange::ImportWorkbook(options.file, run.Queries(),
                                                           exchange::WorkbookLanguages::Either),
                                  run.Printer());
        code != ExitDone) {
        return code;
    }
    return RunTransfer(TransferKind::Write, options.port, options.password, run.Host(),
                       run.Printer());
}

}  // namespace q36::cli
