#pragma once
// The options info and doctor share: port, band, password and language of the handshake.

#include <string>

#include "protocol/run_settings.h"

namespace q36::cli {

struct CheckCommandOptions {
    std::string port;      // empty when none was given
    std::string password;  // "KZP" unless given
    RunSettings settings;  // band (400-440 unless given) and language
};

// Parses --port, --band, --password and --lang; port and band are needed when required is true.
// Returns ExitDone, or the exit code of a usage error after printing it.
int ParseCheckOptions(int argc, char** argv, bool required, const std::string& usage,
                      CheckCommandOptions& options);

}  // namespace q36::cli
