#pragma once
// Command-line options of q36cli: "--name value" pairs and "--flag" switches.

#include <map>
#include <string>
#include <vector>

namespace q36::cli {

// Exit codes of every subcommand, as `q36cli --help` lists them.
enum ExitCode : int {
    ExitDone = 0,
    ExitFailure = 1,  // the database or the working store failed; a received block failed its check
    ExitDifferent = 1,  // diff: the two configurations differ
    ExitUsage = 2,
    ExitPort = 3,      // the port cannot be opened
    ExitRefused = 4,   // the radio answered with status 1..4
    ExitNoAnswer = 5,  // response timeout, a silent radio, a vanished port
    ExitCheck = 6,     // a value failed its check before it was sent
    ExitWorkbook = 7,
    ExitVerify = 8,  // the radio read back after a write holds other values than were sent
};

class Args {
  public:
    // Parses argv after the subcommand. valueOptions take a value, flags do not; repeatable
    // options keep every value. False with a reason for anything else.
    bool Parse(int argc, char** argv, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flags, std::string& error);

    bool Has(const std::string& name) const { return values_.count(name) > 0; }
    std::string Get(const std::string& name, const std::string& fallback = {}) const;
    const std::vector<std::string>& All(const std::string& name) const;

  private:
    std::map<std::string, std::vector<std::string>> values_;
};

// Prints "q36cli: <message>" and the usage line on stderr; returns ExitUsage.
int UsageError(const std::string& message, const std::string& usage);

// True when an argument asks for help (--help or -h).
bool AsksForHelp(int argc, char** argv);
// Prints "usage: <usage>" on stdout; returns ExitDone.
int PrintUsage(const std::string& usage);

// The radio password as the handshake carries it: exactly three single-byte characters. False
// with the reason otherwise.
bool CheckPassword(const std::string& password, std::string& error);

}  // namespace q36::cli
