#include "run_options.h"

#include "protocol/band_table.h"
#include "text/language.h"

namespace q36::cli {

int ParseRunOptions(int argc, char** argv, const std::string& fileOption, const std::string& usage,
                    RunOptions& options) {
    Args args;
    std::string error;
    std::vector<std::string> flags{"no-scan-list"};
    if (fileOption == "in") flags.insert(flags.end(), {"no-backup", "no-verify"});
    if (!args.Parse(argc, argv, {"port", "band", "password", "lang", "trace", fileOption}, flags,
                    error)) {
        return UsageError(error, usage);
    }
    for (const std::string& required : {std::string("port"), std::string("band"), fileOption}) {
        if (args.Get(required).empty()) return UsageError("--" + required + " is needed", usage);
    }
    const std::string lang = args.Get("lang", "zh");
    if (lang != "zh" && lang != "en") return UsageError("--lang is zh or en", usage);
    const std::string band = args.Get("band");
    const int bandIndex = BandIndexOfText(band);
    if (bandIndex < 0 || !SelectBand(options.settings, band, bandIndex)) {
        std::string bands;
        for (int i = 0; i < int(BandTable.size()); ++i) bands += (i ? ", " : "") + BandEntryText(i);
        return UsageError("unknown band '" + band + "' (one of " + bands + ")", usage);
    }
    options.password = args.Get("password", "KZP");
    if (!CheckPassword(options.password, error)) return UsageError(error, usage);
    options.settings.LanguageIndex = lang == "en" ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
    options.settings.HasScanList = !args.Has("no-scan-list");
    options.settings.FactoryLock = 1;
    options.port = args.Get("port");
    options.file = args.Get(fileOption);
    options.trace = args.Get("trace");
    options.backup = !args.Has("no-backup");
    options.verify = !args.Has("no-verify");
    return ExitDone;
}

}  // namespace q36::cli
