// q36cli ports: the serial ports a radio can be reached through, one path a line.

#include <iostream>

#include "cli_args.h"
#include "commands.h"
#include "serial/port_probe.h"

namespace q36::cli {

int RunPortsCommand(int argc, char** argv) {
    Args args;
    std::string error;
    if (!args.Parse(argc, argv, {}, {}, error)) return UsageError(error, "q36cli ports");
    for (const std::string& port : ProbePorts()) std::cout << port << "\n";
    return ExitDone;
}

}  // namespace q36::cli
