// q36cli doctor: checks, step by step, what stands between the user and a radio that answers,
// on one port or on every port found, and says for each failed step what to do.

#include <iostream>

#include "check_options.h"
#include "cli_args.h"
#include "commands.h"
#include "runner/connection_check.h"
#include "runner/connection_texts.h"
#include "serial/port_probe.h"
#include "text/text_pairs.h"
#include "usage.h"

namespace q36::cli {

namespace {

int ExitCodeOf(CheckFailure failure) {
    switch (failure) {
        case CheckFailure::None:
            return ExitDone;
        case CheckFailure::Refused:
            return ExitRefused;
        case CheckFailure::NoAnswer:
            return ExitNoAnswer;
        case CheckFailure::Port:
            return ExitPort;
    }
    return ExitPort;
}

}  // namespace

int RunDoctorCommand(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) return PrintUsage(kDoctorUsage);
    CheckCommandOptions options;
    if (int code = ParseCheckOptions(argc, argv, false, kDoctorUsage, options); code != ExitDone) {
        return code;
    }
    const int language = options.settings.LanguageIndex;
    CheckOptions check;
    check.bandIndex = options.settings.BandIndex;
    check.password = options.password;
    check.language = language;

    std::vector<std::string> ports{options.port};
    if (options.port.empty()) {
        // The probe leaves the consoles out; they are named so that the user knows why.
        for (const std::string& console : ConsoleDevicesOf("/dev", check.sysTtyDir))
            std::cout << ConsoleLeftOutText(console, language) << "\n";
        ports = ProbePorts();
        if (ports.empty()) {
            std::cout << Tr(connection::texts::MarkFailed, language) << " "
                      << Tr(txt::MsgNoPort, language) << " -> "
                      << Tr(connection::texts::FixLabel, language)
                      << Tr(connection::texts::FixPlugIn, language) << "\n";
            return ExitPort;
        }
    }
    CheckFailure first = CheckFailure::None;
    for (const std::string& port : ports) {
        const ConnectionCheck result = CheckConnection(port, check);
        for (const CheckLine& line : result.lines)
            std::cout << CheckLineText(port, line, language) << "\n";
        if (first == CheckFailure::None) first = result.FirstFailure();
    }
    return ExitCodeOf(first);
}

}  // namespace q36::cli
