// q36cli write: writes a workbook, or a CHIRP CSV for a name ending in .csv, into a radio.

#include "cli_run.h"
#include "commands.h"
#include "exchange/chirp_csv.h"
#include "exchange/chirp_csv_outcome.h"
#include "exchange/import_workbook.h"
#include "exchange_messages.h"
#include "run_options.h"
#include "stop_signals.h"
#include "text/text_pairs.h"
#include "usage.h"

namespace q36::cli {

namespace {

// Puts the CSV over the band's defaults in the working store. Rows the radio cannot take are
// listed and left out, and the rest is written: a file made for another radio writes what fits.
exchange::ExchangeOutcome ImportCsv(const RunOptions& options, CliRun& run) {
    const int language = options.settings.LanguageIndex;
    Configuration current;
    if (StoreResult loaded = LoadConfiguration(run.Queries(), current); !loaded.ok()) {
        return {exchange::ExchangeResult::ReadFailed,
                {{&txt::MsgFileReadFailed, nullptr, false, loaded.detail}}};
    }
    const exchange::ChirpImport import = exchange::ReadChirpCsvFile(
        options.file, current, options.settings.BandLowMHz, options.settings.BandHighMHz, language);
    if (import.status.ok()) {
        if (StoreResult saved = SaveConfiguration(run.Queries(), import.configuration, language);
            !saved.ok()) {
            return {exchange::ExchangeResult::ReadFailed,
                    {{&txt::MsgFileReadFailed, nullptr, false, saved.detail}}};
        }
    }
    return exchange::ChirpImportOutcome(import, language);
}

}  // namespace

int RunWriteCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kWriteUsage);
    RunOptions options;
    if (int code = ParseRunOptions(argc, argv, "in", kWriteUsage, options); code != ExitDone) {
        return code;
    }

    const int language = options.settings.LanguageIndex;
    CliRun run(options.settings);
    if (int code = run.Prepare(); code != ExitDone) return code;
    if (int code = ReportExchange(
            exchange::IsCsvName(options.file)
                ? ImportCsv(options, run)
                : exchange::ImportWorkbook(options.file, run.Queries(), options.settings,
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
