#include "check_options.h"

#include "cli_args.h"
#include "protocol/band_table.h"
#include "text/language.h"

namespace q36::cli {

int ParseCheckOptions(int argc, char** argv, bool required, const std::string& usage,
                      CheckCommandOptions& options) {
    Args args;
    std::string error;
    if (!args.Parse(argc, argv, {"port", "band", "password", "lang"}, {}, error)) {
        return UsageError(error, usage);
    }
    for (const char* name : {"port", "band"}) {
        if (required && args.Get(name).empty()) {
            return UsageError("--" + std::string(name) + " is needed", usage);
        }
    }
    const std::string lang = args.Get("lang", "zh");
    if (lang != "zh" && lang != "en") return UsageError("--lang is zh or en", usage);
    const std::string band = args.Get("band", BandEntryText(0));
    const int bandIndex = BandIndexOfText(band);
    if (bandIndex < 0 || !SelectBand(options.settings, band, bandIndex)) {
        return UsageError("unknown band '" + band + "'", usage);
    }
    options.password = args.Get("password", "KZP");
    if (!CheckPassword(options.password, error)) return UsageError(error, usage);
    options.settings.LanguageIndex = lang == "en" ? LANGUAGE_ENGLISH : LANGUAGE_CHINESE;
    options.port = args.Get("port");
    return ExitDone;
}

}  // namespace q36::cli
