// Save and Open of a CHIRP CSV: the file's name ends in .csv. The channels go through the
// window's one path for many values at once, so an import is one edit the user can take back.

#include "changes_preview_dialog.h"
#include "codec/comparable_form.h"
#include "compare_texts.h"
#include "exchange/chirp_csv.h"
#include "exchange/chirp_csv_outcome.h"
#include "exchange/chirp_csv_texts.h"
#include "main_form.h"
#include "ui_text.h"
#include "workbook_commands.h"

namespace q36::ui {

bool IsCsvFileName(const QString& name) {
    return exchange::IsCsvName(FilePath(name));
}

bool WorkbookCommands::SaveCsv(const QString& name) {
    Configuration current;
    if (!window_.CurrentConfiguration(current)) return false;
    const std::string path = FilePath(name);
    const exchange::ExchangeOutcome outcome = exchange::ExportChirpCsv(
        path, [this] { return AskOverwrite(); }, current);
    if (outcome.Succeeded()) lastFile_ = path;
    ShowOutcome(outcome);
    return outcome.Succeeded();
}

bool WorkbookCommands::OpenCsv(const QString& name) {
    const RunSettings& settings = window_.Settings();
    const int language = settings.LanguageIndex;
    Configuration current;
    if (!window_.CurrentConfiguration(current)) return false;
    const std::string path = FilePath(name);
    const exchange::ChirpImport import = exchange::ReadChirpCsvFile(
        path, current, settings.BandLowMHz, settings.BandHighMHz, language);
    if (import.status.ok()) {
        // Nothing is stored before the user has seen what the file would change.
        if (!ConfirmChanges(&window_, DiffComparable(current, import.configuration, language),
                            QTr(ctxt::OpenQuestion, language), language)) {
            return false;
        }
        if (!window_.ApplyConfiguration(import.configuration, exchange::csvtxt::ImportStep)) {
            return false;
        }
        lastFile_ = path;
    }
    ShowOutcome(exchange::ChirpImportOutcome(import, language));
    if (!import.status.ok()) window_.HideGridScrollBar();
    return import.status.ok();
}

}  // namespace q36::ui
