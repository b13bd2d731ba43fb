// q36cli log: prints the record of every programming, oldest first.

#include <fstream>
#include <iostream>

#include "cli_args.h"
#include "commands.h"
#include "exchange/programming_log.h"
#include "usage.h"

namespace q36::cli {

int RunLogCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kLogUsage);
    if (argc > 0) return UsageError("log takes no arguments", kLogUsage);
    std::ifstream in(exchange::ProgrammingLogPath(), std::ios::binary);
    // No log yet: nothing was programmed; the header says what the columns would be.
    if (!in) {
        std::cout << exchange::ProgrammingLogHeader();
        return ExitDone;
    }
    std::cout << in.rdbuf();
    return ExitDone;
}

}  // namespace q36::cli
