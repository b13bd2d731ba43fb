#pragma once
// One function per q36cli subcommand; argv holds the arguments after the subcommand's name.

namespace q36::cli {

int RunRadioCommand(int argc, char** argv);

}  // namespace q36::cli
