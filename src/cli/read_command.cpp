// q36cli read: reads a radio into a workbook, or into a CHIRP CSV for a name ending in .csv.

#include "cli_run.h"
#include "commands.h"
#include "exchange/chirp_csv.h"
#include "exchange/chirp_csv_outcome.h"
#include "exchange/export_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"
#include "stop_signals.h"
#include "text/text_pairs.h"
#include "usage.h"

namespace q36::cli {

int RunReadCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kReadUsage);
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "out", kReadUsage, options); code != ExitDone) {
        return code;
    }

    const int language = options.settings.LanguageIndex;
    CliRun run(options.settings);
    // A workbook that cannot be written is found out before the radio is read, not after.
    if (auto refused = exchange::CheckSaveTarget(options.file)) {
        return ReportExchange(*refused, run.Printer(), language);
    }
    if (int code = run.Prepare(); code != ExitDone) return code;
    const auto stoppedHere = [&run, language] {
        run.Printer().Message(Tr(txt::MsgStoppedRead, language));
        return ExitCodeOfSignal(StopSignal());
    };
    if (StopSignal() != 0) return stoppedHere();
    const int transferred =
        RunTransfer(TransferKind::Read,
                    {options.port, options.password, options.file, options.trace, {false, false}},
                    options.settings, run.Data(), run.Printer());
    if (transferred != ExitDone) return transferred;
    if (StopSignal() != 0) return stoppedHere();
    if (StoreResult committed = run.Data().CommitPendingEdits(); !committed.ok()) {
        run.Printer().Message(committed.detail);
        return ExitFailure;
    }
    // The overwrite question is answered Yes: naming the file on the command line is the answer.
    if (exchange::IsCsvName(options.file)) {
        Configuration read;
        if (StoreResult loaded = LoadConfiguration(run.Queries(), read); !loaded.ok()) {
            run.Printer().Message(loaded.detail);
            return ExitFailure;
        }
        return ReportExchange(exchange::ExportChirpCsv(
                                  options.file, [] { return true; }, read),
                              run.Printer(), language);
    }
    return ReportExchange(exchange::ExportWorkbook(
                              options.file, [] { return true; }, run.Queries(), language),
                          run.Printer(), language);
}

}  // namespace q36::cli
