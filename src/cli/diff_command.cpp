// q36cli diff: compares two configurations, each a workbook, a memory image file or a radio.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "change_json.h"
#include "cli_args.h"
#include "cli_transfer.h"
#include "codec/change_words.h"
#include "codec/comparable_form.h"
#include "commands.h"
#include "diff_texts.h"
#include "exchange/import_workbook.h"
#include "exchange_messages.h"
#include "protocol/band_table.h"
#include "protocol/configuration_data.h"
#include "protocol/image_configuration.h"
#include "usage.h"

namespace q36::cli {

namespace {

constexpr std::string_view kRadioPrefix = "radio:";

struct DiffOptions {
    std::string password;
    bool json = false;
    bool bandGiven = false;
    RunSettings settings;
};

bool EndsWith(std::string text, std::string_view suffix) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A file that begins as an .xlsx (a zip archive) or an .xls (an OLE2 container) does.
bool LooksLikeWorkbook(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[4] = {};
    if (!in.read(head, sizeof head)) return false;
    const std::string start(head, sizeof head);
    return start == std::string("PK\x03\x04", 4) || start == "\xD0\xCF\x11\xE0";
}

int ReadWorkbookSide(const std::string& path, const DiffOptions& options, ProgressPrinter& printer,
                     Configuration& configuration) {
    exchange::ImportRules rules;
    rules.languages = exchange::WorkbookLanguages::Either;
    rules.language = options.settings.LanguageIndex;
    rules.bandLowMHz = options.settings.BandLowMHz;
    rules.bandHighMHz = options.settings.BandHighMHz;
    if (!options.bandGiven) {
        // Without a band every frequency of any band the radio is made for is taken.
        for (const BandEntry& band : BandTable) {
            rules.bandLowMHz =
                rules.bandLowMHz ? std::min(rules.bandLowMHz, band.lowMHz) : band.lowMHz;
            rules.bandHighMHz = std::max(rules.bandHighMHz, band.highMHz);
        }
    }
    configuration = BlankConfiguration();
    const exchange::ExchangeOutcome outcome =
        exchange::ReadCheckedWorkbook(path, rules, configuration);
    if (outcome.Succeeded()) return ExitDone;
    ReportExchange(outcome, printer, options.settings.LanguageIndex);
    return ExitWorkbook;
}

// Reads one side, named by its argument, into configuration; ExitDone or the exit code after
// saying why.
int ReadSide(const std::string& side, const DiffOptions& options, ProgressPrinter& printer,
             Configuration& configuration) {
    const int language = options.settings.LanguageIndex;
    if (side.rfind(kRadioPrefix, 0) == 0) {
        ConfigurationData data;
        TransferTarget target;
        target.port = side.substr(kRadioPrefix.size());
        target.password = options.password;
        target.file = side;
        const int read = RunTransfer(TransferKind::Read, target, options.settings, data, printer);
        configuration = data.Value();
        return read;
    }
    if (EndsWith(side, ".xlsx") || EndsWith(side, ".xls"))
        return ReadWorkbookSide(side, options, printer, configuration);
    std::string reason;
    if (const auto image = LoadImageFile(side, &reason)) {
        configuration = DecodeImage(*image, options.settings);
        return ExitDone;
    }
    // A workbook under another name is still taken for one.
    if (LooksLikeWorkbook(side)) return ReadWorkbookSide(side, options, printer, configuration);
    if (!std::filesystem::exists(side)) {
        printer.Message(reason);
        return ExitWorkbook;
    }
    printer.Message(Fill(Fill(Tr(texts::NeitherWorkbookNorImage, language), "{file}", side),
                         "{reason}", reason));
    return ExitWorkbook;
}

int ParseDiffOptions(int argc, char** argv, DiffOptions& options) {
    Args args;
    std::string error;
    if (!args.Parse(argc, argv, {"band", "password", "lang"}, {"json", "no-scan-list"}, error))
        return UsageError(error, kDiffUsage);
    const std::string lang = args.Get("lang", "zh");
    if (lang != "zh" && lang != "en") return UsageError("--lang is zh or en", kDiffUsage);
    options.settings.LanguageIndex = lang == "en" ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
    options.settings.HasScanList = !args.Has("no-scan-list");
    options.settings.FactoryLock = 1;
    options.json = args.Has("json");
    options.password = args.Get("password", "KZP");
    if (!CheckPassword(options.password, error)) return UsageError(error, kDiffUsage);
    if (args.Has("band")) {
        const std::string band = args.Get("band");
        const int bandIndex = BandIndexOfText(band);
        if (bandIndex < 0 || !SelectBand(options.settings, band, bandIndex))
            return UsageError("unknown band '" + band + "'", kDiffUsage);
        options.bandGiven = true;
    }
    return ExitDone;
}

}  // namespace

int RunDiffCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kDiffUsage);
    if (argc < 2 || std::string_view(argv[0]).rfind("--", 0) == 0 ||
        std::string_view(argv[1]).rfind("--", 0) == 0) {
        return UsageError("two configurations to compare are needed", kDiffUsage);
    }
    const std::string first = argv[0];
    const std::string second = argv[1];
    DiffOptions options;
    if (int code = ParseDiffOptions(argc - 2, argv + 2, options); code != ExitDone) return code;
    for (const std::string& side : {first, second}) {
        if (side.rfind(kRadioPrefix, 0) != 0) continue;
        if (!options.bandGiven) return UsageError("--band is needed to read a radio", kDiffUsage);
        if (side.size() == kRadioPrefix.size())
            return UsageError("radio: needs the port, e.g. radio:/dev/ttyUSB0", kDiffUsage);
    }

    ProgressPrinter printer;
    Configuration a, b;
    if (int code = ReadSide(first, options, printer, a); code != ExitDone) return code;
    if (int code = ReadSide(second, options, printer, b); code != ExitDone) return code;

    const int language = options.settings.LanguageIndex;
    const std::vector<FieldChange> changes = DiffComparable(a, b, language);
    if (options.json) {
        std::cout << ChangesJson(changes) << "\n";
    } else {
        for (const FieldChange& change : changes)
            std::cout << DescribeChange(change, first, second, language) << "\n";
    }
    std::cout.flush();
    printer.Message(changes.empty() ? Tr(texts::NoDifferences, language)
                                    : Fill(Tr(texts::DifferenceCount, language), "{n}",
                                           std::to_string(changes.size())));
    return changes.empty() ? ExitDone : ExitDifferent;
}

}  // namespace q36::cli
