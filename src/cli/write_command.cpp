// q36cli write: writes a workbook into a radio.

#include "cli_run.h"
#include "commands.h"
#include "exchange/import_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"
#include "stop_signals.h"
#include "text/text_pairs.h"
#include "usage.h"

namespace q36::cli {

int RunWriteCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kWriteUsage);
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "in", kWriteUsage, options); code != ExitDone) {
        return code;
    }

    const int language = options.settings.LanguageIndex;
    CliRun run(options.settings);
    if (int code = run.Prepare(); code != ExitDone) return code;
    if (int code =
            ReportExchange(exchange::ImportWorkbook(options.file, run.Queries(), options.settings,
                                                    exchange::WorkbookLanguages::Either),
                           run.Printer(), language);
        code != ExitDone) {
        return code;
    }
    if (const int signal = StopSignal()) {
        run.Printer().Message(Tr(txt::MsgStoppedBeforeSending, language));
        return ExitCodeOfSignal(signal);
    }
    return RunTransfer(TransferKind::Write,
                       {options.port,
                        options.password,
                        options.file,
                        options.trace,
                        {options.backup, options.verify}},
                       options.settings, run.Data(), run.Printer());
}

}  // namespace q36::cli
