#pragma once
// One function per q36cli subcommand; argv holds the arguments after the subcommand's name.

namespace q36::cli {

int RunPortsCommand(int argc, char** argv);
int RunReadCommand(int argc, char** argv);
int RunWriteCommand(int argc, char** argv);
int RunRadioCommand(int argc, char** argv);
int RunDiffCommand(int argc, char** argv);
int RunLogCommand(int argc, char** argv);
int RunInfoCommand(int argc, char** argv);
int RunDoctorCommand(int argc, char** argv);

}  // namespace q36::cli
