#pragma once
// The options read and write share: port, band, variant, password and language of the run.

#include <string>

#include "cli_args.h"

namespace q36::cli {

struct RunOptions {
    std::string port;
    std::string password;
    std::string file;  // --out for read, --in for write
};

// Parses the shared options plus fileOption, sets the program-wide values of the run (band,
// scan-list variant, language, factory lock) and fills options. Returns ExitDone, or the exit
// code of a usage error after printing it.
int ParseRunOptions(int argc, char** argv, const std::string& fileOption, const std::string& usage,
                    RunOptions& options);

}  // namespace q36::cli
