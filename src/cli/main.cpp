// q36cli: programs Q36 radios from the command line and runs the virtual radio.

#include <cstring>
#include <iostream>
#include <string>

#include "cli_args.h"
#include "commands.h"

namespace {

constexpr const char* kUsage =
    "q36cli ports\n"
    "       q36cli read  --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --out FILE\n"
    "       q36cli write --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] --in FILE\n"
    "       q36cli radio [--band 400-440] [--no-scan-list] [--password KZP] [--version 1.0.3] [--image FILE]\n"
    "                    [--link PATH] [--pace] [--fault SPEC]...";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return q36::cli::UsageError("a subcommand is needed", kUsage);
    const std::string command = argv[1];
    if (command == "ports") return q36::cli::RunPortsCommand(argc - 2, argv + 2);
    if (command == "read") return q36::cli::RunReadCommand(argc - 2, argv + 2);
    if (command == "write") return q36::cli::RunWriteCommand(argc - 2, argv + 2);
    if (command == "radio") return q36::cli::RunRadioCommand(argc - 2, argv + 2);
    if (command == "--help" || command == "-h") {
        std::cout << "usage: " << kUsage << "\n";
        return q36::cli::ExitDone;
    }
    return q36::cli::UsageError("unknown subcommand '" + command + "'", kUsage);
}
