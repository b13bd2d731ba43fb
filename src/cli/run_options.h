#pragma once
// The options read and write share: port, band, variant, password and language of the run.

#include <string>

#include "cli_args.h"
#include "protocol/run_settings.h"

namespace q36::cli {

struct RunOptions {
    std::string port;
    std::string password;
    std::string file;      // --out for read, --in for write
    RunSettings settings;  // band, scan-list variant, language and factory lock of the run
    std::string trace;     // --trace FILE: the line trace is saved there
    bool backup = true;    // write: --no-backup leaves out the backup before writing
    bool verify = true;    // write: --no-verify leaves out the check after writing
};

// Parses the shared options plus fileOption (and, for a write's "in", --no-backup and
// --no-verify) and fills options, the settings of the run among them. Returns ExitDone, or the
// exit code of a usage error after printing it.
int ParseRunOptions(int argc, char** argv, const std::string& fileOption, const std::string& usage,
                    RunOptions& options);

}  // namespace q36::cli
