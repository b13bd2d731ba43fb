// q36cli: programs Q36 radios from the command line and runs the virtual radio.

#include <iostream>
#include <string>

#include "cli_args.h"
#include "commands.h"
#include "stop_signals.h"
#include "store/database_location.h"
#include "usage.h"

namespace {

using namespace q36::cli;

constexpr const char* kExitCodes =
    "exit codes:\n"
    "  0  done; for diff: the two are the same\n"
    "  1  the database or the working store failed (missing, damaged, read-only or locked: the\n"
    "     engine's message is printed), or the radio sent a block that failed its check; for\n"
    "     diff: the two differ (the differences are on stdout)\n"
    "  2  wrong usage\n"
    "  3  the port cannot be opened (missing, busy or not a serial device); doctor: a check of\n"
    "     the device failed (missing, the console, not permitted, held, does not open)\n"
    "  4  the radio refused the handshake or a block (model, password, checksum, command)\n"
    "  5  no answer: the radio did not answer in time, fell silent, or the port vanished\n"
    "  6  a value failed its check before it was sent; nothing more was sent\n"
    "  7  the workbook cannot be read or written (for diff: or the image file cannot be read)\n"
    "  8  write: the radio read back after the write holds other values than were sent (the\n"
    "     fields are listed); a check that could not read the radio exits with that read's code\n"
    "  130, 143  stopped by SIGINT (Ctrl-C) or SIGTERM; what the radio holds is printed";

struct Subcommand {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

constexpr Subcommand kSubcommands[] = {
    {"ports", RunPortsCommand, kPortsUsage}, {"read", RunReadCommand, kReadUsage},
    {"write", RunWriteCommand, kWriteUsage}, {"radio", RunRadioCommand, kRadioUsage},
    {"diff", RunDiffCommand, kDiffUsage},    {"log", RunLogCommand, kLogUsage},
    {"info", RunInfoCommand, kInfoUsage},    {"doctor", RunDoctorCommand, kDoctorUsage},
};

const Subcommand* Find(const std::string& name) {
    for (const Subcommand& command : kSubcommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

std::string AllUsages() {
    std::string text;
    for (const Subcommand& command : kSubcommands) {
        text += (text.empty() ? "" : "\n       ") + std::string(command.usage);
    }
    return text + "\n       q36cli help [SUBCOMMAND] | --version [--lang zh|en]";
}

}  // namespace

int main(int argc, char** argv) {
    InstallStopSignals();
    if (argc < 2) return UsageError("a subcommand is needed", AllUsages());
    const std::string command = argv[1];
    if (const Subcommand* subcommand = Find(command)) return subcommand->run(argc - 2, argv + 2);
    if (command == "--version" || command == "-V") {
        // The second line names the database copy the subcommands start from.
        const bool english =
            argc > 3 && std::string(argv[2]) == "--lang" && std::string(argv[3]) == "en";
        std::cout << "q36cli " << Q36_PROGRAM_VERSION << "\n"
                  << q36::DatabaseLocationText(q36::ProgramDatabase(), english
                                                                           ? q36::LANGUAGE_ENGLISH
                                                                           : q36::LANGUAGE_CHINESE)
                  << "\n";
        return ExitDone;
    }
    if (command == "help" && argc > 2) {
        const Subcommand* subcommand = Find(argv[2]);
        if (subcommand == nullptr) {
            return UsageError("unknown subcommand '" + std::string(argv[2]) + "'", AllUsages());
        }
        return PrintUsage(subcommand->usage);
    }
    if (command == "help" || command == "--help" || command == "-h") {
        std::cout << "usage: " << AllUsages() << "\n" << kExitCodes << "\n" << kCsvNote << "\n";
        return ExitDone;
    }
    return UsageError("unknown subcommand '" + command + "'", AllUsages());
}
