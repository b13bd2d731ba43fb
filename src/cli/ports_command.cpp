// q36cli ports: the serial ports a radio can be reached through, one path a line.

#include <iostream>

#include "cli_args.h"
#include "commands.h"
#include "serial/port_probe.h"
#include "usage.h"

namespace q36::cli {

int RunPortsCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kPortsUsage);
    Args args;
    std::string error;
    if (!args.Parse(argc, argv, {}, {}, error)) return UsageError(error, kPortsUsage);
    for (const std::string& port : ProbePorts()) std::cout << port << "\n";
    return ExitDone;
}

}  // namespace q36::cli
