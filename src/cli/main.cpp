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

constexpr const char* kExitCodes =
    "exit codes:\n"
    "  0  done\n"
    "  1  the database or the working store failed (missing, damaged, read-only or locked: the\n"
    "     engine's message is printed), or the radio sent a block that failed its check\n"
    "  2  wrong usage\n"
    "  3  the port cannot be opened (missing, busy or not a serial device)\n"
    "  4  the radio refused the handshake or a block (model, password, checksum, command)\n"
    "  5  no answer: the radio did not answer in time, fell silent, or the port vanished\n"
    "  6  a value failed its check before it was sent; nothing more was sent\n"
    "  7  the workbook cannot be read or written";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return q36::cli::UsageError("a subcommand is needed", kUsage);
    const std::string command = argv[1];
    if (command == "ports") return q36::cli::RunPortsCommand(argc - 2, argv + 2);
    if (command == "read") return q36::cli::RunReadCommand(argc - 2, argv + 2);
    if (command == "write") return q36::cli::RunWriteCommand(argc - 2, argv + 2);
    if (command == "radio") return q36::cli::RunRadioCommand(argc - 2, argv + 2);
    if (command == "--help" || command == "-h") {
        std::cout << "usage: " << kUsage << "\n" << kExitCodes << "\n";
        return q36::cli::ExitDone;
    }
    return q36::cli::UsageError("unknown subcommand '" + command + "'", kUsage);
}
